#include "window/qt/precise_sleep.h"

#include <windows.h>

#include <cmath>

namespace klobbet {

// Asked for only while the sleep runs, so that the idle game leaves the
// system's tick at its 15.6 ms.
void sleepPrecisely(double seconds) {
    if (seconds <= 0) {
        return;
    }
    // A high-resolution waitable timer (Windows 10 1803 and later) keeps to
    // the microsecond and raises no system-wide timer rate.
    constexpr DWORD kHighResolution = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, kHighResolution, TIMER_ALL_ACCESS);
    if (timer != nullptr) {
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(std::llround(seconds * 1e7));  // relative, 100 ns
        if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) != 0) {
            WaitForSingleObject(timer, INFINITE);
            CloseHandle(timer);
            return;
        }
        CloseHandle(timer);
    }
    // Older systems: a one-millisecond tick for this sleep alone.
    timeBeginPeriod(1);
    Sleep(static_cast<DWORD>(std::ceil(seconds * 1000)));
    timeEndPeriod(1);
}

}  // namespace klobbet
