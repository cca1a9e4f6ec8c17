#include "window/qt/close_requests.h"

#include <utility>

namespace klobbet {

// Every close request (the close box, Alt+F4, the system menu, the
// taskbar's) comes to a Windows window as WM_CLOSE, which Qt turns into a
// close event even while a system message box is open, as such a box is
// no Qt modal window: the main window's close event asks the question, and
// nothing need be caught here.
CloseRequestFilter::CloseRequestFilter(QWidget& /*window*/, std::function<void()> onCloseRequest)
    : onCloseRequest_(std::move(onCloseRequest)) {}

CloseRequestFilter::~CloseRequestFilter() = default;

bool CloseRequestFilter::nativeEventFilter(const QByteArray& /*eventType*/, void* /*message*/,
                                           qintptr* /*result*/) {
    return false;
}

}  // namespace klobbet
