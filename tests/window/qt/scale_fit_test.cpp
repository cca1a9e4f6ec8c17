#include <gtest/gtest.h>

#include "window/qt/whole_scale.h"

namespace klobbet {
namespace {

// The factor both platforms' scale choice ends in: the desktop's factor
// rounded, lowered until the 720 x 593 window with its frame and menu bar
// fits the monitor's work area, never below 1.
TEST(WholeScale, RoundsTheDesktopFactorWhereTheWindowFits) {
    EXPECT_EQ(wholeScaleFor(1.0, 1920, 1040, 96), 1);
    EXPECT_EQ(wholeScaleFor(2.0, 3840, 2100, 192), 2);
    EXPECT_EQ(wholeScaleFor(1.5, 3840, 2100, 144), 2);  // halves round up
    EXPECT_EQ(wholeScaleFor(1.25, 2560, 1400, 120), 1);
    EXPECT_EQ(wholeScaleFor(3.0, 3840, 2100, 288), 3);
}

TEST(WholeScale, LowersTheFactorUntilTheWindowFitsAndNeverBelowOne) {
    // 200 % on a 1080-line monitor: 1186 lines of window do not fit.
    EXPECT_EQ(wholeScaleFor(2.0, 1920, 1040, 192), 1);
    // 300 % with 1600 lines free: two whole steps fit, three do not.
    EXPECT_EQ(wholeScaleFor(3.0, 2560, 1600, 288), 2);
    // Too wide at 2 by the frame alone: 1440 pixels of window and 32 of frame.
    EXPECT_EQ(wholeScaleFor(2.0, 1460, 2000, 192), 1);
    // A monitor smaller than the window still gets the window at 1.
    EXPECT_EQ(wholeScaleFor(1.0, 640, 480, 96), 1);
    EXPECT_EQ(wholeScaleFor(0.5, 1920, 1040, 48), 1);
}

}  // namespace
}  // namespace klobbet
