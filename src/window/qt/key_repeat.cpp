#include "window/qt/key_repeat.h"

#include <utility>

namespace klobbet {

namespace {

// The server stamps both halves of a repeat with one time; allow for a
// millisecond between them all the same.
constexpr std::uint64_t kSameMoment = 1;

}  // namespace

RepeatPairing::RepeatPairing(std::function<void(const KeyRelease&)> count)
    : count_(std::move(count)) {}

void RepeatPairing::release(const KeyRelease& released) {
    flush();
    held_ = released;
}

bool RepeatPairing::press(std::uint32_t scanCode, std::uint64_t time) {
    if (!held_) {
        return false;
    }
    const std::uint64_t gap = time > held_->time ? time - held_->time : held_->time - time;
    if (held_->scanCode == scanCode && gap <= kSameMoment) {
        held_.reset();
        return true;
    }
    flush();
    return false;
}

void RepeatPairing::flush() {
    if (held_) {
        const KeyRelease released = *held_;
        held_.reset();
        count_(released);
    }
}

}  // namespace klobbet
