#include "window/qt/menu_escape.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace klobbet {

MenuEscape::MenuEscape(QMenuBar* bar) : QObject(bar) {
    for (QMenu* menu : bar->findChildren<QMenu*>()) {
        menu->installEventFilter(this);
    }
}

bool MenuEscape::eventFilter(QObject* watched, QEvent* event) {
    // The shortcut check comes first and must see the same key: with Alt it
    // would not be taken as the menu's own and would go looking for an
    // Alt+Escape shortcut.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && (key->modifiers() & Qt::AltModifier)) {
            key->setModifiers(key->modifiers() & ~Qt::AltModifier);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace klobbet
