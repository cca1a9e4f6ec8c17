#include "window/qt/whole_scale.h"

#include <windows.h>
// Builds on windows.h.
#include <shellscalingapi.h>

#include <QByteArray>
#include <algorithm>
#include <vector>

namespace klobbet {

namespace {

struct Monitor {
    bool primary = false;
    int scale = 1;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info) == 0) {
        return TRUE;
    }
    UINT dpiX = 96;
    UINT dpiY = 96;
    if (FAILED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) {
        dpiX = 96;
    }
    const RECT& work = info.rcWork;
    const int scale = wholeScaleFor(dpiX / 96.0, work.right - work.left, work.bottom - work.top,
                                    static_cast<double>(dpiX));
    reinterpret_cast<std::vector<Monitor>*>(data)->push_back(
        {(info.dwFlags & MONITORINFOF_PRIMARY) != 0, scale});
    return TRUE;
}

}  // namespace

// Each monitor gets its own whole factor, for the window follows the
// monitor it is on: its scale rounded, then lowered until the window fits
// the monitor's work area. Windows counts in device pixels only for a
// program that says it knows monitors' scales, as Qt then says too.
void chooseWholeScale() {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        return;
    }
    // Qt lists the primary monitor first, the others in Windows' order.
    std::stable_partition(monitors.begin(), monitors.end(),
                          [](const Monitor& monitor) { return monitor.primary; });
    QByteArray factors;
    for (const Monitor& monitor : monitors) {
        factors += (factors.isEmpty() ? "" : ";") + QByteArray::number(monitor.scale);
    }
    // Qt's own factors would be fractional; the text keeps the size
    // Windows gives it, as Qt reads each monitor's DPI for it.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCREEN_SCALE_FACTORS", factors);
}

}  // namespace klobbet
