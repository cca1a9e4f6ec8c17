#pragma once

#include <stdexcept>

#include "window/platform.h"

namespace klobbet {

inline constexpr int kFirstBitmap = 101;
inline constexpr int kLastBitmap = 127;

// Raised when one of the program's own bitmaps cannot be loaded: start-up
// cannot go on without it.
class BitmapLoadError : public std::runtime_error {
  public:
    explicit BitmapLoadError(int number);
    int number() const { return number_; }

  private:
    int number_;
};

// The bitmap with this number from the resources built into the executable.
Picture loadBitmapResource(int number);

}  // namespace klobbet
