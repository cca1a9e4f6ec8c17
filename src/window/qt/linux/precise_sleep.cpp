#include "window/qt/precise_sleep.h"

#include <chrono>
#include <thread>

namespace klobbet {

void sleepPrecisely(double seconds) {
    if (seconds > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
}

}  // namespace klobbet
