#include <QGuiApplication>
#include <QMessageBox>
#include <QWindow>
#include <memory>

#include "window/qt/message_box.h"

namespace klobbet {

// Under X11 and Wayland the game's boxes are Qt's, built to look and answer
// like the classic desktop's.
int showMessageBox(QWidget* parent, const QString& prompt, int style, const QString& title) {
    std::unique_ptr<QMessageBox> box(buildMessageBox(parent, prompt, style, title));
    box->exec();
    // Some window managers keep the focus when a box closes: hand it back,
    // so the next key reaches the game without a click. On Wayland the
    // compositor gives it back, and Qt's request for it there reads the
    // focused window's surface, which the hidden box no longer has (Qt 6.4
    // crashes on it), until the compositor has moved the focus.
    const QWindow* focused = QGuiApplication::focusWindow();
    const bool staleFocus = QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
                            focused != nullptr && !focused->isVisible();
    if (parent != nullptr && parent->isVisible() && !staleFocus) {
        parent->activateWindow();
    }
    return answerOf(*box);
}

}  // namespace klobbet
