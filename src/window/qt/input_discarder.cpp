#include "window/qt/input_discarder.h"

#include <QCoreApplication>
#include <QEvent>

namespace klobbet {

void InputDiscarder::discardQueued() {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(this);
    discarding_ = true;
    QCoreApplication::processEvents();
    discarding_ = false;
    application->removeEventFilter(this);
}

bool InputDiscarder::eventFilter(QObject* watched, QEvent* event) {
    if (discarding_) {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
                return true;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace klobbet
