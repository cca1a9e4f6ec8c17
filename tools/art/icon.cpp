// The window's own icon, 32 x 32, drawn pixel by pixel: the puzzled fellow
// scratching his head among five question marks (icon_small.cpp has the
// desktop's 16 and 24).
//
// K is black, W the white of the face; around everything black the program
// lays a one-pixel white rim, so the figure shows on a dark panel as well as
// on a light one. Everything else is see-through.

#include "icons.h"

namespace art {
namespace {

// clang-format off
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

QImage fromRows(const std::vector<std::string>& rows) {
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
                    rim = rim || black(x + dx, y + dy);
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
    return fromRows(kIcon32);
}

}  // namespace art
