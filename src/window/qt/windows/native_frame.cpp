#include "window/qt/native_frame.h"

#include <commctrl.h>
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
    const UINT dpi = GetDpiForWindow(hwnd);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON small = nullptr;
    HICON big = nullptr;
    LoadIconWithScaleDown(instance, L"IDI_ICON1", GetSystemMetricsForDpi(SM_CXSMICON, dpi),
                          GetSystemMetricsForDpi(SM_CYSMICON, dpi), &small);
    LoadIconWithScaleDown(instance, L"IDI_ICON1", GetSystemMetricsForDpi(SM_CXICON, dpi),
                          GetSystemMetricsForDpi(SM_CYICON, dpi), &big);
    // Windows keeps the icons the window was given; those it gave back are
    // the earlier ones of this function or Qt's, all made for this window.
    if (small != nullptr) {
        DestroyIcon(reinterpret_cast<HICON>(
            SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small))));
    }
    if (big != nullptr) {
        DestroyIcon(reinterpret_cast<HICON>(
            SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big))));
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
