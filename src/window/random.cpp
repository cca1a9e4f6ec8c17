#include "window/random.h"

#include <bit>

namespace klobbet {

void UniformRandom::reseed(float seed) {
    engine_.seed(std::bit_cast<std::uint32_t>(seed));
}

double UniformRandom::next() {
    // 53 random bits make every double of [0, 1) step 2^-53 equally likely.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace klobbet
