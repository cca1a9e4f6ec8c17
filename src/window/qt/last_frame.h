#pragma once

class QWidget;

namespace klobbet {

// Hides the window once the desktop has shown its last frame, dropping the
// window's keys and clicks until then, and returns. Under Wayland, Qt 6.4
// before 6.4.3 frees a window's pending frame callback without a lock when
// the window is hidden, while a thread of its own may be freeing it for the
// compositor's answer: a box or the game closing just then aborts the game,
// or leaves it unable to draw. Elsewhere the window is hidden at once.
void hideAfterLastFrame(QWidget& window);

}  // namespace klobbet
