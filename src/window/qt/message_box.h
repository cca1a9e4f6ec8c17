#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace klobbet {

// A Windows message-box style value taken apart.
struct MessageBoxStyle {
    bool yesNo = false;     // buttons 4: Yes and No; otherwise a single OK
    int defaultButton = 0;  // 0 first, 1 second (style 256)
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

MessageBoxStyle decodeStyle(int style);

// Builds the box the style describes, with French button texts. The caller
// owns it; `answerOf` tells the game's value for the button that closed it.
QMessageBox* buildMessageBox(QWidget* parent, const QString& prompt, int style,
                             const QString& title);
int answerOf(const QMessageBox& box);
// What Ctrl+C copies from a box: its title, text and buttons between rules.
QString copiedText(const QMessageBox& box);

// The least width of a box whose title must show whole in the window
// manager's title bar.
int widthForTitle(const QString& title, const QFont& boxFont);

// Shows the box modally, over `parent` when there is one, and returns 1
// (OK), 6 (Yes) or 7 (No): Qt's box above under X11 and Wayland, the
// system's own on Windows (linux/ and windows/show_message_box.cpp).
int showMessageBox(QWidget* parent, const QString& prompt, int style, const QString& title);

}  // namespace klobbet
