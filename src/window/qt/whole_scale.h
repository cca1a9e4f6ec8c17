#pragma once

namespace klobbet {

// Makes Qt draw the game at a whole scale factor, so that each bitmap pixel
// becomes a whole block of screen pixels: the desktop's factor (its font
// resolution, QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) rounded, then
// lowered step by step until the whole window, frame and menu bar included,
// fits the monitor's available area, never below 1. Menus and message boxes
// keep the size the desktop gives text. Works through Qt's environment
// variables, so it must run before the application object exists.
void chooseWholeScale();

// The largest whole factor up to the rounded desktop factor at which the
// window fits: `available` is the monitor's area free of panels, in screen
// pixels, and `fontDpi` the resolution of the desktop's text on the screen.
int wholeScaleFor(double desktopFactor, int availableWidth, int availableHeight, double fontDpi);

}  // namespace klobbet
