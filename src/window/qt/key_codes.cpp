#include "window/qt/key_codes.h"

#include <QCoreApplication>
#include <utility>

namespace klobbet {

std::int16_t virtualKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<std::int16_t>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<std::int16_t>(112 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return 0;
    }
}

std::int16_t shiftState(Qt::KeyboardModifiers modifiers) {
    std::int16_t state = 0;
    if (modifiers & Qt::ShiftModifier) {
        state |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        state |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        state |= 4;
    }
    return state;
}

KeyReleaseFilter::KeyReleaseFilter(QWidget* field, KeyUp keyUp)
    : QObject(field), field_(field), keyUp_(std::move(keyUp)) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool KeyReleaseFilter::inFieldWindow(QObject* watched) const {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget != nullptr && widget->window() == field_->window();
}

bool KeyReleaseFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && inFieldWindow(watched)) {
                pressed_.insert(key->key());
            }
            break;
        }
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (watched != field_) {
                // Released elsewhere in the window: it no longer counts here.
                if (!key->isAutoRepeat() && inFieldWindow(watched)) {
                    pressed_.remove(key->key());
                }
                break;
            }
            if (key->isAutoRepeat() || !pressed_.remove(key->key())) {
                return true;
            }
            const std::int16_t code = virtualKeyCode(key->key());
            if (code != 0) {
                keyUp_(code, shiftState(key->modifiers()));
            }
            return true;
        }
        case QEvent::FocusOut:
            // The window lost the keyboard: what is released after it comes
            // back may have been pressed in another window.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason &&
                inFieldWindow(watched)) {
                pressed_.clear();
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace klobbet
