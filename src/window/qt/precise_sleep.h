#pragma once

namespace klobbet {

// Sleeps `seconds` (a few milliseconds at most) to within a fraction of a
// millisecond, for the last stretch of a wait. Linux sleeps that finely by
// itself; Windows by default wakes sleepers only every 15.6 ms, so there
// the finer clock is asked for during this sleep alone, and an idle game
// leaves the system's timer rate alone.
void sleepPrecisely(double seconds);

}  // namespace klobbet
