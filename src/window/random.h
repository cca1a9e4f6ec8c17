#pragma once

#include <cstdint>
#include <random>

namespace klobbet {

// The game's generator: reseeded from the time of day at every match start.
class UniformRandom {
  public:
    void reseed(float seed);
    // Uniform in [0, 1); never 1.0, so floor(r x n) always lies in 0..n-1.
    double next();

  private:
    std::mt19937_64 engine_;
};

}  // namespace klobbet
