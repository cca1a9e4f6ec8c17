#pragma once

// The game's pictures, each drawn from scratch by a function of its own.

#include <QImage>
#include <QPainterPath>
#include <QPointF>

#include <vector>

namespace art {

enum class Side { Left, Right };
enum class Stance { Standing, Pushing };

// The detonator box every player picture shares (inclusive pixel bounds).
struct BoxPlace {
    int left, top, right, bottom;
};
BoxPlace detonatorBox(Side side);

// Height of the player pictures and the row their soles stand on.
inline constexpr int kPlayerHeight = 204;
inline constexpr int kSoleRow = 197;
inline constexpr int kPlayerCanvasWidth = 214;

QImage candle();  // 101
QImage anvil();   // 102
QImage loser();   // 103

// A player at the plunger; `width` crops the picture (the figure itself is
// always laid out on a kPlayerCanvasWidth wide canvas).
QImage player(Side side, Stance stance, bool confused, int width);

// The eight signs players type, in the game's order: question mark,
// exclamation mark, up, down, right, left, heart, open hand.
QImage smallSign(int index);  // 16 x 16
QImage largeSign(int index);  // 84 x 89

// The window icon: 32 x 32 with a transparent background (icons.h has the
// desktop's).
QImage icon();

// A bold question mark `height` pixels tall whose top-left corner is at x, y.
void questionMark(QImage& image, int x, int y, int height);
// The shapes of such a question mark at scale `s` (16 * s tall) from `at`:
// the hook, stroked 2.6 * s wide, and the dot, filled.
void questionMarkPaths(double s, QPointF at, QPainterPath& hook, QPainterPath& dot);
// How many columns that question mark covers.
int questionMarkWidth(int height);

// Every numbered bitmap the game loads, 101 to 127.
struct Bitmap {
    int number;
    QImage image;
};
std::vector<Bitmap> allBitmaps();

}  // namespace art
