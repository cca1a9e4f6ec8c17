// What each bitmap must show for the game to rely on it: sizes, the white
// ground, the places other drawings stand on, and what the signs look like.

#include "art.h"
#include "canvas.h"
#include "check_tools.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace art {
namespace {

QSize expectedSize(int n) {
    static const std::map<int, QSize> sizes = {
        {101, {14, 32}},   {102, {90, 36}},   {103, {90, 62}},   {104, {178, 204}},
        {105, {170, 204}}, {106, {178, 204}}, {107, {178, 204}}, {108, {214, 204}},
        {109, {214, 204}}, {110, {214, 204}}, {111, {214, 204}},
    };
    if (n >= 112 && n <= 119)
        return {16, 16};
    if (n >= 120 && n <= 127)
        return {84, 89};
    return sizes.at(n);
}

void checkPlayer(Tally& t, int n, const QImage& im) {
    const Side side = n <= 107 ? Side::Left : Side::Right;
    const bool pushing = n == 106 || n == 107 || n == 110 || n == 111;
    const BoxPlace b = detonatorBox(side);
    const QString name = QString::number(n);

    bool frame = true, inside = false;
    for (int y = b.top; y <= b.bottom; ++y) {
        for (int x = b.left; x <= b.right; ++x) {
            const bool edge =
                y < b.top + 2 || y > b.bottom - 2 || x < b.left + 2 || x > b.right - 2;
            if (edge) {
                frame = frame && im.pixel(x, y) == ink::Black;
            } else {
                inside = inside || im.pixel(x, y) != ink::Black;
            }
        }
    }
    t.expect(frame && inside, name + ": detonator box has a two pixel black frame");

    const int lo = side == Side::Left ? 2 : 50;
    const int hi = side == Side::Left ? 163 : 211;
    const Extent e = inkExtent(im);
    const bool spans =
        side == Side::Left ? e.left >= lo && e.right == hi : e.left == lo && e.right <= hi;
    t.expect(spans, name + QStringLiteral(": drawing spans columns %1..%2 (is %3..%4)")
                               .arg(lo)
                               .arg(hi)
                               .arg(e.left)
                               .arg(e.right));
    t.expect(
        e.bottom == kSoleRow && count(im, ink::Black, 0, kSoleRow, -1, kSoleRow) > 0,
        name +
            QStringLiteral(": feet stand on row %1 (lowest ink %2)").arg(kSoleRow).arg(e.bottom));
    t.expect(borderWhite(im), name + ": outermost rows and columns are white");

    // The rod stands on the box's end column nearest the player, the one
    // column of the box's top edge the tower never covers.
    const int rodColumn = side == Side::Left ? b.left : b.right;
    t.expect(
        im.pixel(rodColumn, b.top - 1) == ink::Plunger,
        name +
            QStringLiteral(": red rod stands on the top of the box at column %1").arg(rodColumn));
    const int barLo = pushing ? 138 : 95, barHi = pushing ? 152 : 110;
    int barRow = -1;
    for (int y = 0; y < b.top && barRow < 0; ++y) {
        if (count(im, ink::Plunger, 0, y, -1, y) >= 8)
            barRow = y;
    }
    t.expect(barRow >= barLo && barRow <= barHi,
             name + QStringLiteral(": crossbar top at row %1, wanted %2..%3")
                        .arg(barRow)
                        .arg(barLo)
                        .arg(barHi));
    // The fists close round the bar rather than sit on it: along its middle
    // row the red shows at both ends and between the two hands.
    int runs = 0;
    for (int x = 0; barRow >= 0 && x < im.width(); ++x) {
        const bool red = im.pixel(x, barRow + 2) == ink::Plunger;
        runs += red && (x == 0 || im.pixel(x - 1, barRow + 2) != ink::Plunger) ? 1 : 0;
    }
    t.expect(runs == 3, name + QStringLiteral(": crossbar shows beyond and between the two "
                                              "fists gripping it (%1 stretches of red)")
                                   .arg(runs));
    // The figure must stay clear of the tower drawn over the box, apart from
    // the arms reaching across.
    const int towerLo = side == Side::Left ? 123 : 50, towerHi = side == Side::Left ? 163 : 90;
    t.expect(count(im, ink::Black, towerLo, 0, towerHi, 90) == 0,
             name + ": nothing black above the tower's lower part (rows 0..90)");
}

// Where an arrow head's edge, followed from its tip across its rows (or
// columns, for a sideways arrow), stays put or jumps instead of moving one
// pixel: each place as " (row x)"; empty when the staircase is even.
QString headSteps(const QImage& im, bool vertical, bool tipLast) {
    const int lines = vertical ? im.height() : im.width();
    const int across = vertical ? im.width() : im.height();
    std::vector<int> edge(lines, -1);
    for (int i = 0; i < lines; ++i) {
        const int at = tipLast ? lines - 1 - i : i;
        int first = -1;
        for (int j = 0; j < across; ++j) {
            if (!isWhite(im, vertical ? j : at, vertical ? at : j)) {
                first = j;
                break;
            }
        }
        edge[i] = first;
    }
    // From the tip to the head's back edge, the edge moves by exactly one
    // each line; the shaft's edge then stands still.
    const int tip = static_cast<int>(
        std::find_if(edge.begin(), edge.end(), [](int e) { return e >= 0; }) - edge.begin());
    QString wrong;
    const int step = edge[tip + 1] < edge[tip] ? -1 : 1;
    for (int i = tip + 1; i < lines && edge[i] >= 0; ++i) {
        const int d = edge[i] - edge[i - 1];
        if (d == 0 || std::abs(d) > 1) {
            if (std::abs(d) > 1 && step * d < 0)
                break;  // the head's back edge: the shaft starts here
            if (d == 0 && i + 1 < lines && edge[i + 1] == edge[i])
                break;  // the shaft's straight edge
            wrong += QStringLiteral(" (%1 %2)")
                         .arg(vertical ? "row" : "column")
                         .arg(tipLast ? lines - 1 - i : i);
        }
    }
    return wrong;
}

void checkSign(Tally& t, int n, const QImage& im) {
    const QString name = QString::number(n);
    const int kind = (n - 112) % 8;
    t.expect(borderWhite(im), name + ": outermost rows and columns are white");
    t.expect(count(im, ink::Black) + count(im, ink::White) == im.width() * im.height() &&
                 count(im, ink::Black) > im.width(),
             name + ": black on white");
    // The legend paints the small signs 13 rows apart, each over the bottom
    // three rows of the one above, and prints its text from column 15: the
    // ink keeps two white rows between signs and a white column before the
    // text.
    const Extent e = inkExtent(im);
    if (im.width() == 16) {
        t.expect(e.bottom <= 11 && e.right <= 13,
                 name + QStringLiteral(": ink within rows 1..11 and columns 1..13 (is to %1, %2)")
                            .arg(e.bottom)
                            .arg(e.right));
    }
    if (kind >= 2 && kind <= 5) {
        // An arrow's head holds more ink than its shaft: the heavier half
        // of the inked area is where it points.
        const int half = (e.bottom - e.top + 1) / 2, halfW = (e.right - e.left + 1) / 2;
        const int up = count(im, ink::Black, 0, e.top, -1, e.top + half - 1);
        const int down = count(im, ink::Black, 0, e.bottom - half + 1, -1, e.bottom);
        const int left = count(im, ink::Black, e.left, 0, e.left + halfW - 1, -1);
        const int right = count(im, ink::Black, e.right - halfW + 1, 0, e.right, -1);
        const bool vertical = std::abs(up - down) > std::abs(left - right);
        const bool ok = kind == 2   ? vertical && up > down
                        : kind == 3 ? vertical && down > up
                        : kind == 4 ? !vertical && right > left
                                    : !vertical && left > right;
        static const char* const names[] = {"up", "down", "right", "left"};
        t.expect(ok, name + ": arrow points " + names[kind - 2]);
        if (im.width() == 84) {
            const QString steps = headSteps(im, vertical, kind == 3 || kind == 4);
            t.expect(steps.isEmpty(), name + ": the head's edges step one pixel at a time" + steps);
        }
    }
    if (kind == 6 || kind == 7) {
        // Probed a little below the middle of the ink (small) or picture (large).
        const bool small = im.width() == 16;
        const int px = small ? (e.left + e.right) / 2 : im.width() / 2;
        const int py = small ? e.top + (e.bottom - e.top) * 6 / 10 : im.height() * 6 / 10;
        t.expect(isWhite(im, px, py), name + ": drawn as an outline (white inside)");
    }
}

}  // namespace

void checkPicture(Tally& t, int n, const QImage& im) {
    const QString name = QString::number(n);
    const QSize want = expectedSize(n);
    t.expect(im.size() == want,
             name + QStringLiteral(": size %1 x %2").arg(want.width()).arg(want.height()));
    if (im.size() != want)
        return;
    const std::vector<QRgb>& pal = palette();
    bool inPalette = true;
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            inPalette = inPalette && std::find(pal.begin(), pal.end(), im.pixel(x, y)) != pal.end();
        }
    }
    t.expect(inPalette, name + ": only colours of the palette (no blending)");
    const int w = im.width() - 1, h = im.height() - 1;
    t.expect(isWhite(im, 0, 0) && isWhite(im, w, 0) && isWhite(im, 0, h) && isWhite(im, w, h),
             name + ": white corners");

    if (n == 101) {
        // The gauge centres the candle on its tower; the flame may flicker
        // to one side.
        t.expect(mirrorSymmetric(im.copy(0, 12, im.width(), im.height() - 12), 14),
                 name + ": candle below its flame is symmetric about column 7");
        t.expect(count(im, ink::FlameCore, 0, 0, w, 11) > 0 &&
                     count(im, ink::Flame, 0, 0, w, 11) > 0 &&
                     count(im, ink::Plunger, 0, 0, w, 11) > 0 &&
                     count(im, ink::FlameCore, 0, 12, w, h) == 0,
                 name + ": yellow, orange and red flame in the top 12 rows");
        t.expect(count(im, ink::Black, 0, h, w, h) >= 9, name + ": the foot is on the bottom row");
    } else if (n == 102) {
        const Extent e = inkExtent(im);
        t.expect(e.top <= 1 && e.bottom >= 34 && e.left <= 2 && e.right >= 87,
                 name + ": anvil fills its box");
        t.expect(mirrorSymmetric(im, 89, true),
                 name + ": anvil's outline is symmetric about its top centre");
        t.expect(count(im, ink::Iron) > 600 && count(im, ink::IronShine) > 40,
                 name + ": dark iron with lighter highlights");
        // Black belongs to the outline alone: no black pixel away from it,
        // not even the lone dots of a dithered shade, which read as grime.
        bool outlineOnly = true;
        for (int y = 0; y <= h; ++y) {
            for (int x = 0; x <= w; ++x) {
                outlineOnly =
                    outlineOnly && !(im.pixel(x, y) == ink::Black &&
                                     count(im, ink::White, std::max(0, x - 2), std::max(0, y - 2),
                                           std::min(w, x + 2), std::min(h, y + 2)) == 0);
            }
        }
        t.expect(outlineOnly, name + ": black only along the anvil's outline");
        // The highlights are clean bands: no darker pixel between two light
        // ones, across a row or down a column.
        const auto shine = [&](int x, int y) { return im.pixel(x, y) == ink::IronShine; };
        bool clean = true;
        for (int y = 1; y < h; ++y) {
            for (int x = 1; x < w; ++x) {
                clean = clean && (shine(x, y) || !((shine(x - 1, y) && shine(x + 1, y)) ||
                                                   (shine(x, y - 1) && shine(x, y + 1))));
            }
        }
        t.expect(clean, name + ": highlights without dark specks");
        // The horns end in the outline's width: iron comes within two
        // columns of each tip's outermost black, which is no solid lump.
        int blackLeft = w, blackRight = 0, ironLeft = w, ironRight = 0;
        for (int y = 0; y <= h; ++y) {
            for (int x = 0; x <= w; ++x) {
                const QRgb p = im.pixel(x, y);
                if (p == ink::Black) {
                    blackLeft = std::min(blackLeft, x);
                    blackRight = std::max(blackRight, x);
                } else if (p != ink::White) {
                    ironLeft = std::min(ironLeft, x);
                    ironRight = std::max(ironRight, x);
                }
            }
        }
        t.expect(ironLeft - blackLeft <= 2 && blackRight - ironRight <= 2,
                 name + QStringLiteral(": horn tips no thicker than the outline (%1 and %2 "
                                       "columns of black)")
                            .arg(ironLeft - blackLeft)
                            .arg(blackRight - ironRight));
    } else if (n == 103) {
        t.expect(count(im, ink::Blood) > 150 && count(im, ink::DarkBlood) > 50,
                 name + ": lying in a pool of blood");
        t.expect(count(im, ink::White, 0, h, w, h) < im.width(), name + ": touches the ground row");
    } else if (n <= 111) {
        checkPlayer(t, n, im);
        checkGaugeClearance(t, n, im);
    } else {
        checkSign(t, n, im);
    }
}

}  // namespace art
