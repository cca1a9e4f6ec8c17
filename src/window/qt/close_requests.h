#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>

class QWidget;

namespace klobbet {

// Catches the window manager's close requests for one window before Qt
// sees them. Qt drops a close request that comes while the window is
// already asking (a modal box is up, or its close handler still runs); the
// game must ask once for every request, one after the other.
class CloseRequestFilter : public QAbstractNativeEventFilter {
  public:
    // Does nothing where the window system is not X11.
    CloseRequestFilter(QWidget& window, std::function<void()> onCloseRequest);
    ~CloseRequestFilter() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    std::function<void()> onCloseRequest_;
    unsigned window_ = 0;
    unsigned protocols_ = 0;
    unsigned deleteWindow_ = 0;
};

}  // namespace klobbet
