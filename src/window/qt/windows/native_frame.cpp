#include "window/qt/native_frame.h"

#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

namespace klobbet {

namespace {

// The icon sizes Windows asks for at the window's DPI, drawn from the
// program's own icon resource, which holds 16 to 256 pixels: Qt would
// scale its 16 and 32 pixel icons for every DPI instead.
void setIconsForDpi(HWND hwnd) {
    // The icons last given; Qt keeps and frees its own.
    static HICON given[2] = {nullptr, nullptr};
    const UINT dpi = GetDpiForWindow(hwnd);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const int metrics[2][2] = {{SM_CXSMICON, SM_CYSMICON}, {SM_CXICON, SM_CYICON}};
    for (int kind = ICON_SMALL; kind <= ICON_BIG; ++kind) {
        // The drawing of the size asked for, or the nearest scaled to it.
        auto* icon = static_cast<HICON>(LoadImageW(
            instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetricsForDpi(metrics[kind][0], dpi),
            GetSystemMetricsForDpi(metrics[kind][1], dpi), LR_DEFAULTCOLOR));
        if (icon == nullptr) {
            continue;
        }
        SendMessageW(hwnd, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
        if (given[kind] != nullptr) {
            DestroyIcon(given[kind]);
        }
        given[kind] = icon;
    }
}

// Refuses what a fixed dialog frame does not offer, however it is asked
// for (another program's ShowWindow, a shell shortcut): maximising,
// minimising and sizing; and gives the window its icons again for a new
// DPI.
class FrameGuard : public QAbstractNativeEventFilter {
  public:
    explicit FrameGuard(HWND hwnd) : hwnd_(hwnd) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override {
        if (type != "windows_generic_MSG") {
            return false;
        }
        const auto* msg = static_cast<const MSG*>(message);
        if (msg->hwnd != hwnd_) {
            return false;
        }
        if (msg->message == WM_SYSCOMMAND) {
            const WPARAM command = msg->wParam & 0xFFF0;
            if (command == SC_MAXIMIZE || command == SC_MINIMIZE || command == SC_SIZE) {
                *result = 0;
                return true;
            }
        } else if (msg->message == WM_DPICHANGED) {
            setIconsForDpi(hwnd_);
        }
        return false;
    }

  private:
    HWND hwnd_;
};

}  // namespace

void prepareNativeFrame(QWidget& window) {
    // A dialog frame, not a sizing one; with no minimise and maximise box
    // Windows neither maximises on a double click nor snaps to the screen.
    window.setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    window.winId();
    QWindow* handle = window.windowHandle();
    if (handle == nullptr) {
        return;
    }
    // An owned window has no taskbar button, yet stays in Alt+Tab while its
    // owner is hidden; a tool window would leave Alt+Tab too. Qt hands the
    // owner to Windows as the transient parent when it shows the window.
    auto* owner = new QWindow();
    owner->setObjectName(QStringLiteral("klobbet-taskbar-owner"));
    owner->create();
    QObject::connect(&window, &QObject::destroyed, owner, &QObject::deleteLater);
    handle->setTransientParent(owner);

    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    setIconsForDpi(hwnd);
    static FrameGuard* guard = nullptr;
    if (guard == nullptr) {
        guard = new FrameGuard(hwnd);
        QCoreApplication::instance()->installNativeEventFilter(guard);
    }
}

}  // namespace klobbet
