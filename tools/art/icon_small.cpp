// The desktop icons at 16 and 24 pixels, drawn for their size: the puzzled
// fellow's head, his arm raised with the elbow out and the hand on his head,
// and one or two question marks. The question marks are bold, as a stroke of
// one pixel turns a small one into a squiggle.
//
// K is black, W the white of the face. Each shape is a sticker: whatever it
// encloses is white, and a one-pixel white rim runs round its outside only.
// Rimming every line, as the window icon does, fills every gap at these
// sizes and turns the icon into a white tile on a dark panel.

#include "icons.h"

#include <string>
#include <vector>

namespace art {
namespace {

// clang-format off
const std::vector<std::string> kIcon16 = {
    "................",
    "..KKK.....KK....",
    ".KK.KK....KKK...",
    "....KK.KKKK..K..",
    "...KK.KWWWWK..K.",
    "..KK.KWWWWWWK.K.",
    "..KK.KWKWWKWK.K.",
    ".....KWWWWWWK.K.",
    "..KK.KWWKKKWK.K.",
    "......KWWWWK.K..",
    ".......KKKK.K...",
    ".........K.K....",
    ".......KKKKK....",
    "......K..K......",
    ".....K..K.K.....",
    "................",
};

const std::vector<std::string> kIcon24 = {
    "........................",
    "..KKKK..................",
    ".KK..KK.................",
    ".KK..KK.................",
    ".....KK........KK.......",
    "....KK.........KKK......",
    "...KK.....KKKKK..K......",
    "...KK...KKWWWWWKK.K.....",
    "........KWWWWWWWK.K.....",
    "...KK..KWWWWWWWWWK.K....",
    "...KK..KWWKWWWKWWK..K...",
    ".......KWWKWWWKWWK..K...",
    ".......KWWWWWWWWWK...K..",
    ".......KWWWKWKWWWK...K..",
    "..KK....KWKWKWKWK...K...",
    ".K..K...KKWWWWWKK..K....",
    "....K.....KKKKK...K.....",
    "...K........K....K......",
    "...K........K...K.......",
    "...........KKKKK........",
    "...K......K.KK..........",
    ".........K.K..K.........",
    "........K.K....K........",
    "........................",
};
// clang-format on

QImage sticker(const std::vector<std::string>& rows) {
    const int n = static_cast<int>(rows.size());
    const auto inside = [n](int x, int y) { return x >= 0 && y >= 0 && x < n && y < n; };
    const auto drawn = [&](int x, int y) { return inside(x, y) && rows[y][x] != '.'; };
    // The see-through pixels that can be reached from the edge without
    // crossing a line; the others are enclosed by the drawing.
    std::vector<bool> outside(n * n, false);
    std::vector<std::pair<int, int>> todo;
    for (int i = 0; i < n; ++i) {
        todo.insert(todo.end(), {{i, 0}, {i, n - 1}, {0, i}, {n - 1, i}});
    }
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (!inside(x, y) || drawn(x, y) || outside[y * n + x])
            continue;
        outside[y * n + x] = true;
        todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    QImage image(n, n, QImage::Format_ARGB32);
    image.fill(kClear);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const bool rim =
                drawn(x - 1, y) || drawn(x + 1, y) || drawn(x, y - 1) || drawn(x, y + 1);
            if (rows[y][x] == 'K') {
                image.setPixel(x, y, kInk);
            } else if (!outside[y * n + x] || rim) {
                image.setPixel(x, y, kRim);
            }
        }
    }
    return image;
}

}  // namespace

QImage smallIcon(int size) {
    return sticker(size == 16 ? kIcon16 : kIcon24);
}

}  // namespace art
