// Self-check of the finished pictures. The BMP files are decoded here by
// hand rather than by Qt, so a header Qt would quietly accept but the game's
// loader might not (a compressed or 32-bit file, say) is caught too.

#include "check.h"

#include "art.h"
#include "canvas.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>

namespace art {
namespace {

struct Tally {
    int passed = 0;
    int failed = 0;
    void expect(bool ok, const QString& what) {
        if (ok) {
            ++passed;
        } else {
            ++failed;
            std::printf("FAIL %s\n", qPrintable(what));
        }
    }
};

quint32 le(const QByteArray& b, int at, int n) {
    quint32 v = 0;
    for (int i = n - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<quint8>(b[at + i]);
    }
    return v;
}

// Decodes an uncompressed 24-bit bottom-up BMP; reports what is wrong.
std::optional<QImage> decodeBmp(const QByteArray& b, QString& problem) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        problem = QStringLiteral("not a BMP file");
        return std::nullopt;
    }
    const int width = static_cast<qint32>(le(b, 18, 4));
    const int height = static_cast<qint32>(le(b, 22, 4));
    const quint32 offset = le(b, 10, 4);
    if (le(b, 14, 4) != 40 || le(b, 26, 2) != 1 || le(b, 28, 2) != 24 || le(b, 30, 4) != 0) {
        problem = QStringLiteral("header is not BITMAPINFOHEADER, 1 plane, 24 bits, BI_RGB");
        return std::nullopt;
    }
    const int stride = (width * 3 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || offset < 54 ||
        static_cast<qint64>(offset) + static_cast<qint64>(stride) * height > b.size() ||
        le(b, 2, 4) != static_cast<quint32>(b.size())) {
        problem = QStringLiteral("sizes in the header do not fit the file");
        return std::nullopt;
    }
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int row = static_cast<int>(offset) + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const auto c = [&](int i) { return static_cast<quint8>(b[row + x * 3 + i]); };
            image.setPixel(x, y, qRgb(c(2), c(1), c(0)));
        }
    }
    return image;
}

bool isWhite(const QImage& im, int x, int y) {
    return im.pixel(x, y) == ink::White;
}

// Inclusive bounds of everything that is not white.
struct Extent {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Extent inkExtent(const QImage& im) {
    Extent e;
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            if (!isWhite(im, x, y)) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
        }
    }
    return e;
}

int count(const QImage& im, QRgb colour, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
    if (x1 < 0)
        x1 = im.width() - 1;
    if (y1 < 0)
        y1 = im.height() - 1;
    int n = 0;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            n += im.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

bool borderWhite(const QImage& im) {
    for (int x = 0; x < im.width(); ++x) {
        if (!isWhite(im, x, 0) || !isWhite(im, x, im.height() - 1))
            return false;
    }
    for (int y = 0; y < im.height(); ++y) {
        if (!isWhite(im, 0, y) || !isWhite(im, im.width() - 1, y))
            return false;
    }
    return true;
}

// Column c pairs with axisTwice - c; `shapeOnly` compares ink against white
// only, ignoring which colour the ink is.
bool mirrorSymmetric(const QImage& im, int axisTwice, bool shapeOnly = false) {
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            const int m = axisTwice - x;
            if (m < 0 || m >= im.width())
                continue;
            const bool differs = shapeOnly ? isWhite(im, x, y) != isWhite(im, m, y)
                                           : im.pixel(x, y) != im.pixel(m, y);
            if (differs)
                return false;
        }
    }
    return true;
}

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

    const int centre = (b.left + b.right) / 2;
    t.expect(im.pixel(centre, b.top - 1) == ink::Plunger &&
                 im.pixel(centre + 1, b.top - 1) == ink::Plunger,
             name + ": red rod meets the top of the box at its centre");
    const int barLo = pushing ? 138 : 95, barHi = pushing ? 152 : 110;
    int barRow = -1;
    for (int y = 0; y < b.top && barRow < 0; ++y) {
        if (count(im, ink::Plunger, b.left, y, b.right, y) >= 8)
            barRow = y;
    }
    t.expect(barRow >= barLo && barRow <= barHi,
             name + QStringLiteral(": crossbar top at row %1, wanted %2..%3")
                        .arg(barRow)
                        .arg(barLo)
                        .arg(barHi));
    // The figure must stay clear of the tower drawn over the box, apart from
    // the arms reaching across.
    const int towerLo = side == Side::Left ? 123 : 50, towerHi = side == Side::Left ? 163 : 90;
    t.expect(count(im, ink::Black, towerLo, 0, towerHi, 90) == 0,
             name + ": nothing black above the tower's lower part (rows 0..90)");
}

void checkSign(Tally& t, int n, const QImage& im) {
    const QString name = QString::number(n);
    const int kind = (n - 112) % 8;
    t.expect(borderWhite(im), name + ": outermost rows and columns are white");
    t.expect(count(im, ink::Black) + count(im, ink::White) == im.width() * im.height() &&
                 count(im, ink::Black) > im.width(),
             name + ": black on white");
    if (kind >= 2 && kind <= 5) {
        // An arrow's head holds more ink than its shaft: the heavier half
        // is where it points.
        const int w = im.width(), h = im.height();
        const int up = count(im, ink::Black, 0, 0, w - 1, h / 2 - 1);
        const int down = count(im, ink::Black, 0, (h + 1) / 2, w - 1, h - 1);
        const int left = count(im, ink::Black, 0, 0, w / 2 - 1, h - 1);
        const int right = count(im, ink::Black, (w + 1) / 2, 0, w - 1, h - 1);
        const bool vertical = std::abs(up - down) > std::abs(left - right);
        const bool ok = kind == 2   ? vertical && up > down
                        : kind == 3 ? vertical && down > up
                        : kind == 4 ? !vertical && right > left
                                    : !vertical && left > right;
        static const char* const names[] = {"up", "down", "right", "left"};
        t.expect(ok, name + ": arrow points " + names[kind - 2]);
    }
    if (kind == 6 || kind == 7) {
        t.expect(isWhite(im, im.width() / 2, im.height() * 6 / 10),
                 name + ": drawn as an outline (white inside)");
    }
}

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
        t.expect(mirrorSymmetric(im, 14), name + ": candle is symmetric about column 7");
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
    } else if (n == 103) {
        t.expect(count(im, ink::Blood) > 150 && count(im, ink::DarkBlood) > 50,
                 name + ": lying in a pool of blood");
        t.expect(count(im, ink::White, 0, h, w, h) < im.width(), name + ": touches the ground row");
    } else if (n <= 111) {
        checkPlayer(t, n, im);
    } else {
        checkSign(t, n, im);
    }
}

// Pixels of a rectangle are the same in two pictures.
bool sameArea(const QImage& a, const QImage& b, const BoxPlace& r) {
    for (int y = r.top; y <= r.bottom; ++y) {
        for (int x = r.left; x <= r.right; ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
        }
    }
    return true;
}

void checkIcon(Tally& t, const QString& dir) {
    QFile file(dir + QStringLiteral("/icon.png"));
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    t.expect(opened && bytes == encodePng(icon()),
             QStringLiteral("icon.png is what the program draws"));
    const QImage im = QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_ARGB32);
    t.expect(im.size() == QSize(32, 32) && QImage::fromData(bytes, "PNG").hasAlphaChannel(),
             QStringLiteral("icon.png: 32 x 32 with an alpha channel"));
    if (im.size() != QSize(32, 32))
        return;
    bool crisp = true;
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb p = im.pixel(x, y);
            crisp = crisp && (qAlpha(p) == 0 || p == qRgba(0, 0, 0, 255));
            opaque += qAlpha(p) == 255 ? 1 : 0;
        }
    }
    t.expect(crisp && opaque > 60,
             QStringLiteral("icon.png: opaque black on a transparent background"));
    t.expect(qAlpha(im.pixel(0, 0)) == 0 && qAlpha(im.pixel(31, 31)) == 0,
             QStringLiteral("icon.png: transparent corners"));
}

}  // namespace

bool check(const QString& dir) {
    Tally t;
    std::map<int, QImage> decoded;
    for (const Bitmap& b : allBitmaps()) {
        const QString name = QString::number(b.number);
        QFile file(QStringLiteral("%1/bitmaps/%2.bmp").arg(dir).arg(b.number));
        if (!file.open(QIODevice::ReadOnly)) {
            t.expect(false, name + ": file is missing");
            continue;
        }
        const QByteArray bytes = file.readAll();
        t.expect(bytes == encodeBmp(b.image), name + ": file is what the program draws now");
        QString problem;
        const std::optional<QImage> im = decodeBmp(bytes, problem);
        t.expect(im.has_value(),
                 name + ": " + (problem.isEmpty() ? QStringLiteral("24-bit BI_RGB BMP") : problem));
        if (im) {
            checkPicture(t, b.number, *im);
            decoded[b.number] = *im;
        }
    }
    // The box is the same in all four pictures of a side.
    for (const auto& [side, first] : {std::pair{Side::Left, 104}, std::pair{Side::Right, 108}}) {
        bool same = true;
        for (int n = first + 1; n < first + 4; ++n) {
            same = same && decoded.count(first) && decoded.count(n) &&
                   decoded[n].size().height() == kPlayerHeight &&
                   sameArea(decoded[first], decoded[n], detonatorBox(side));
        }
        t.expect(same, QStringLiteral("boxes of %1..%2 are identical").arg(first).arg(first + 3));
    }
    // The right player is the left one mirrored (question marks aside).
    if (decoded.count(105) && decoded.count(109)) {
        QImage left = decoded[105].copy(0, 0, kPlayerCanvasWidth, kPlayerHeight);
        for (int y = 0; y < kPlayerHeight; ++y)
            for (int x = 170; x < kPlayerCanvasWidth; ++x)
                left.setPixel(x, y, ink::White);
        QImage mirrored = left.mirrored(true, false);
        const BoxPlace face = detonatorBox(Side::Right);
        const BoxPlace inner{face.left + 2, face.top + 2, face.right - 2, face.bottom - 2};
        for (int y = inner.top; y <= inner.bottom; ++y)
            for (int x = inner.left; x <= inner.right; ++x)
                mirrored.setPixel(x, y, decoded[109].pixel(x, y));
        t.expect(mirrored == decoded[109], QStringLiteral("109 is 105 seen in a mirror"));
    }
    checkIcon(t, dir);
    // Drawing is deterministic within a run too.
    t.expect(encodeBmp(player(Side::Left, Stance::Pushing, true, 178)) ==
                 encodeBmp(player(Side::Left, Stance::Pushing, true, 178)),
             QStringLiteral("drawing twice gives the same bytes"));
    std::printf("%d passed, %d failed\n", t.passed, t.failed);
    return t.failed == 0;
}

}  // namespace art
