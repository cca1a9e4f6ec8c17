#include "window/qt/native_frame.h"

namespace klobbet {

void prepareNativeFrame(QWidget& /*window*/) {}

}  // namespace klobbet
