#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace klobbet {

// A key release the game may count: which physical key (its native scan
// code), when the server saw it (milliseconds), and what the game is told.
struct KeyRelease {
    std::uint32_t scanCode = 0;
    std::uint64_t time = 0;
    std::int16_t keyCode = 0;
    std::int16_t shift = 0;
};

// Tells the release/press pairs of a held key from physical releases where
// the X server sends both (a server that does not grant detectable
// auto-repeat). The server writes a repeat as a release and a press of the
// same keycode with the same time stamp, one after the other; a physical
// release is followed by no press of its key at its time, since no hand
// presses a key again within the millisecond it lets go. So a release is
// held back until the next event of the keyboard, or a short time, tells
// which it was. Pure logic: the owner feeds it events and runs flush() when
// its timer ends.
class RepeatPairing {
  public:
    // Receives each release found physical.
    explicit RepeatPairing(std::function<void(const KeyRelease&)> count);

    // Holds the release back; a release held before it was physical.
    void release(const KeyRelease& released);
    // True when the press is the second half of the held release's repeat:
    // both are dropped. Otherwise the held release is counted first.
    bool press(std::uint32_t scanCode, std::uint64_t time);
    // The wait is over: a release still held was physical.
    void flush();
    bool holding() const { return held_.has_value(); }

  private:
    std::function<void(const KeyRelease&)> count_;
    std::optional<KeyRelease> held_;
};

}  // namespace klobbet
