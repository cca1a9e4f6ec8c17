// The eight signs drawn small, 16 x 16, pixel by pixel.
//
// The legend paints them 13 rows apart, each over the bottom three rows of
// the one above, and prints its text from column 15 on. So the ink keeps to
// rows 1..11 and columns 1..13: nothing is painted over, two white rows
// part two signs, and a white column parts a sign from its text.

#include "art.h"
#include "canvas.h"

namespace art {
namespace {

QImage fromRows(const std::vector<std::string>& rows) {
    QImage image = blank(16, 16);
    stamp(image, 0, 0, rows, {{'X', ink::Black}});
    return image;
}

// Row 0 and rows 13..15 are left out: they stay white.
// clang-format off
const std::vector<std::string> kQuestion = {
    "................",
    ".....XXXXX......",
    "....XXXXXXX.....",
    "...XXX...XXX....",
    "...XX....XXX....",
    "........XXXX....",
    ".......XXXX.....",
    "......XXX.......",
    "......XXX.......",
    "................",
    "......XXX.......",
    "......XXX.......",
};

const std::vector<std::string> kExclamation = {
    "................",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "................",
    "......XXX.......",
    "......XXX.......",
};

const std::vector<std::string> kUp = {
    "................",
    ".......X........",
    "......XXX.......",
    ".....XXXXX......",
    "....XXXXXXX.....",
    "...XXXXXXXXX....",
    "..XXXXXXXXXXX...",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
};

const std::vector<std::string> kDown = {
    "................",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "......XXX.......",
    "..XXXXXXXXXXX...",
    "...XXXXXXXXX....",
    "....XXXXXXX.....",
    ".....XXXXX......",
    "......XXX.......",
    ".......X........",
};

const std::vector<std::string> kRight = {
    "................",
    "........X.......",
    "........XX......",
    "........XXX.....",
    "........XXXX....",
    ".XXXXXXXXXXXX...",
    ".XXXXXXXXXXXXX..",
    ".XXXXXXXXXXXX...",
    "........XXXX....",
    "........XXX.....",
    "........XX......",
    "........X.......",
};

const std::vector<std::string> kLeft = {
    "................",
    "......X.........",
    ".....XX.........",
    "....XXX.........",
    "...XXXX.........",
    "..XXXXXXXXXXXX..",
    ".XXXXXXXXXXXXX..",
    "..XXXXXXXXXXXX..",
    "...XXXX.........",
    "....XXX.........",
    ".....XX.........",
    "......X.........",
};

const std::vector<std::string> kHeart = {
    "................",
    "..XXX.....XXX...",
    ".XXXXX...XXXXX..",
    ".XX..XX.XX..XX..",
    ".XX...XXX...XX..",
    ".XX.........XX..",
    ".XXX.......XXX..",
    "..XXX.....XXX...",
    "...XXX...XXX....",
    "....XXX.XXX.....",
    ".....XXXXX......",
    "......XXX.......",
};

const std::vector<std::string> kHand = {
    "................",
    ".....XX.........",
    "..XX.XX.XX......",
    "..XX.XX.XX......",
    "..XX.XX.XX..XX..",
    "..XX.XX.XX..XX..",
    "..XXXXXXXX.XX...",
    "..XX....XXXXX...",
    "..XX....XXXX....",
    "..XX....XX......",
    "..XXXXXXXX......",
    "...XXXXXX.......",
};
// clang-format on

}  // namespace

QImage smallSign(int index) {
    static const std::vector<std::string>* const signs[] = {
        &kQuestion, &kExclamation, &kUp, &kDown, &kRight, &kLeft, &kHeart, &kHand,
    };
    return fromRows(*signs[index]);
}

}  // namespace art
