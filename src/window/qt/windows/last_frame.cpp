#include "window/qt/last_frame.h"

#include <QWidget>

namespace klobbet {

// Windows draws and hides its windows itself, with nothing left in flight.
void hideAfterLastFrame(QWidget& window) {
    window.hide();
}

}  // namespace klobbet
