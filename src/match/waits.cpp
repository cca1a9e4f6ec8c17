#include <cmath>

#include "window/form1.h"

namespace klobbet {

std::int64_t Form1::clockTicks() {
    return std::llround(services_.clockSeconds() * 10000.0);
}

void Form1::waitPast(std::int64_t start, std::int64_t span) {
    for (std::int64_t elapsed = clockTicks() - start; elapsed <= span;
         elapsed = clockTicks() - start) {
        services_.pauseBriefly(static_cast<double>(span + 1 - elapsed) / 10000.0);
    }
}

}  // namespace klobbet
