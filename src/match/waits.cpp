#include <cmath>

#include "window/form1.h"

namespace klobbet {

std::int64_t Form1::clockTicks() {
    return std::llround(services_.clockSeconds() * 10000.0);
}

void Form1::waitPast(std::int64_t start, std::int64_t span) {
    while (clockTicks() - start <= span) {
        services_.pauseBriefly();
    }
}

}  // namespace klobbet
