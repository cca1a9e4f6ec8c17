#include <windows.h>
// Builds on windows.h.
#include <dwmapi.h>

#include <QWidget>

#include "window/platform.h"
#include "window/qt/message_box.h"

namespace klobbet {

namespace {

// What a box is centred over: its owner's frame as drawn, without the
// invisible edges that newer Windows counts in a window's rectangle.
RECT visibleFrame(HWND hwnd) {
    RECT frame{};
    if (FAILED(DwmGetWindowAttribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof(frame)))) {
        GetWindowRect(hwnd, &frame);
    }
    return frame;
}

HWND boxOwner = nullptr;
HHOOK boxHook = nullptr;

// Windows centres a message box on its owner's monitor; the game's boxes
// stand centred over the window they ask about, so the box is moved once,
// when Windows is about to show it, sized and laid out.
LRESULT CALLBACK centreOverOwner(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const auto box = reinterpret_cast<HWND>(wParam);
        const RECT owner = visibleFrame(boxOwner);
        const RECT drawn = visibleFrame(box);
        RECT outer{};
        GetWindowRect(box, &outer);
        const LONG width = drawn.right - drawn.left;
        const LONG height = drawn.bottom - drawn.top;
        // Halving the spare room, then moving by the box's own invisible
        // edges, so that the drawn frames share their centre.
        const LONG left =
            owner.left + ((owner.right - owner.left) - width) / 2 - (drawn.left - outer.left);
        const LONG top =
            owner.top + ((owner.bottom - owner.top) - height) / 2 - (drawn.top - outer.top);
        SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        UnhookWindowsHookEx(boxHook);
        boxHook = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// Windows' own box: its icons, sounds, button order and texts, access
// keys, Return and Escape, and Ctrl+C. The game's style values are the
// system's own; the system's answers (1 OK, 6 Yes, 7 No) are the game's.
int showMessageBox(QWidget* parent, const QString& prompt, int style, const QString& title) {
    const UINT kept = static_cast<UINT>(style) & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK);
    HWND owner = nullptr;
    if (parent != nullptr && parent->isVisible()) {
        owner = reinterpret_cast<HWND>(parent->window()->winId());
        boxOwner = owner;
        boxHook = SetWindowsHookExW(WH_CBT, centreOverOwner, nullptr, GetCurrentThreadId());
    }
    // With no window yet the box is the program's first: it takes the
    // keyboard from whatever program started the game.
    const UINT flags = kept | (owner == nullptr ? MB_SETFOREGROUND : 0);
    const int answer = MessageBoxW(owner, reinterpret_cast<LPCWSTR>(prompt.utf16()),
                                   reinterpret_cast<LPCWSTR>(title.utf16()), flags);
    if (boxHook != nullptr) {
        UnhookWindowsHookEx(boxHook);
        boxHook = nullptr;
    }
    return answer == IDYES ? msgbox::kYes : answer == IDNO ? msgbox::kNo : msgbox::kOk;
}

}  // namespace klobbet
