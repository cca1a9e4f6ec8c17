// Which picture goes under which number.

#include "art.h"

namespace art {

std::vector<Bitmap> allBitmaps() {
    std::vector<Bitmap> all;
    all.push_back({101, candle()});
    all.push_back({102, anvil()});
    all.push_back({103, loser()});
    // The left player, with the figure laid out on the full canvas and the
    // pictures cropped: 105 is a little narrower than the others.
    all.push_back({104, player(Side::Left, Stance::Standing, true, 178)});
    all.push_back({105, player(Side::Left, Stance::Standing, false, 170)});
    all.push_back({106, player(Side::Left, Stance::Pushing, false, 178)});
    all.push_back({107, player(Side::Left, Stance::Pushing, true, 178)});
    all.push_back({108, player(Side::Right, Stance::Standing, true, kPlayerCanvasWidth)});
    all.push_back({109, player(Side::Right, Stance::Standing, false, kPlayerCanvasWidth)});
    all.push_back({110, player(Side::Right, Stance::Pushing, false, kPlayerCanvasWidth)});
    all.push_back({111, player(Side::Right, Stance::Pushing, true, kPlayerCanvasWidth)});
    for (int i = 0; i < 8; ++i) {
        all.push_back({112 + i, smallSign(i)});
    }
    for (int i = 0; i < 8; ++i) {
        all.push_back({120 + i, largeSign(i)});
    }
    return all;
}

}  // namespace art
