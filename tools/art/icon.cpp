// The icons drawn pixel by pixel, for the sizes where every pixel shows:
// 16 (title bars, menus), 24 and 32 (the window's own icon). Each is its own
// drawing: the 16 keeps the figure, his hand on his head and two question
// marks; the 24 has three; the 32 all five.
//
// K is black, W the white of the face; around everything black the program
// lays a one-pixel white rim, so the figure shows on a dark panel as well as
// on a light one. Everything else is see-through.

#include "icons.h"

namespace art {
namespace {

// clang-format off
const std::vector<std::string> kIcon16 = {
        "................",
        ".......KK...KKK.",
        "...KKKK..K.KK.KK",
        "..KWWWWK.K....KK",
        ".KWWWWWWK.K..KK.",
        ".KWKWWKWK.K..K..",
        ".KWWWWWWK.K.....",
        ".KWWKKWWK.K..KK.",
        "..KWWWWK..K.....",
        "...KKKK..K...K..",
        ".....K..K...K.K.",
        "....KKKK......K.",
        "...K.K.......K..",
        "....K.K.........",
        "...K...K.....K..",
        "...K...K........",
};

const std::vector<std::string> kIcon24 = {
        "........................",
        "..KK.........KK.........",
        "KK.KK...KKKK...K........",
        "...KK.KKWWWWKK.KK.......",
        "..KK.KKWWWWWWKK.KK......",
        "..K..KWWWWWWWWK..K......",
        "....KWWWKWWWKWWK.K..KKK.",
        "..K.KWWWKWWWKWWK.K.KK.KK",
        "....KWWWWWWWWWWK.K....KK",
        "....KWWWWKWKWWWK.K...KK.",
        ".....KWWKWKWKWK..K...K..",
        ".....KKWWWWWWKK..KK.....",
        "......KKWWWWKK...KK..K..",
        "........KKKK...KKK......",
        ".........KK.KKK.........",
        ".........KKK.........K..",
        "........KKK.........K.K.",
        ".......KKKK...........K.",
        "......KK.KK..........K..",
        "......K..KK.............",
        "........KKKK.........K..",
        "........K..K............",
        ".......KK..KK...........",
        ".......K....K...........",
};

const std::vector<std::string> kIcon32 = {
        "................................",
        ".....................KK.........",
        ".KKKK...............KKKK........",
        "KK..KK.....KKKKKK..KKKK.........",
        "KK..KK...KKKKKKKKKK...K.........",
        "...KK...KKKWWWWWWKKK..KK...KKK..",
        "..KK....KKWWWWWWWWKK..KK..KK.KK.",
        "..KK...KKWWKWWWWKWWKK.KK.....KK.",
        ".......KKWWKWWWWKWWKK.KK....KK..",
        "..KK...KKWWWWWWWWWWKK..KK...K...",
        "..KK...KKWWWWWWWWWWKK..KK.......",
        ".......KKWWWKWKWKWWKK..KK...K...",
        ".......KKWWKWKWKWWWKK..KK.......",
        "........KKWWWWWWWWKK....KK......",
        "........KKKWWWWWWKKK....KK......",
        "...KK....KKKKKKKKKK..KKKKK......",
        "..K..K.....KKKKKK..KKKKK........",
        "....K........KK..KKKKK......KK..",
        "...K.........KKKKKKK.......K..K.",
        "............KKKKK............K..",
        "...K.......KKKK.............K...",
        "..........KKKKK.................",
        ".........KKK.KK.............K...",
        ".........KK..KK.................",
        "........KK...KK.........KK......",
        "............KKKK.......K..K.....",
        "............KKKK.........K......",
        "...........KKKKKK.......K.......",
        "...........KK..KK...............",
        "..........KK....KK......K.......",
        ".........KKK....KKK.............",
        "..........K......K..............",
};
// clang-format on

QImage fromRows(const std::vector<std::string>& rows, bool diagonalRim) {
    const int n = static_cast<int>(rows.size());
    const auto black = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < n && y < n && rows[y][x] == 'K';
    };
    QImage image(n, n, QImage::Format_ARGB32);
    image.fill(kClear);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            bool rim = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    rim = rim || ((diagonalRim || dx == 0 || dy == 0) && black(x + dx, y + dy));
                }
            }
            if (rows[y][x] == 'K') {
                image.setPixel(x, y, kInk);
            } else if (rows[y][x] == 'W' || rim) {
                image.setPixel(x, y, kRim);
            }
        }
    }
    return image;
}

}  // namespace

QImage icon() {
    return fromRows(kIcon32, true);
}

// At 16 pixels a diagonal rim would close every gap between the lines; the
// rim there only borders the sides of each black pixel.
QImage smallIcon(int size) {
    return size == 16 ? fromRows(kIcon16, false) : fromRows(kIcon24, true);
}

}  // namespace art
