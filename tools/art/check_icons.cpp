// The icons: the window's, 32 x 32 in a handful of colours with a
// see-through background, and the desktop's at every size. Each must show on
// a light panel and on a dark one, and each large one must be drawn for its
// size rather than be a smaller one enlarged.

#include "art.h"
#include "check.h"
#include "check_tools.h"
#include "icons.h"

#include <QFile>

#include <set>

namespace art {
namespace {

QImage readPng(Tally& t, const QString& path, const QImage& drawn, const QString& name) {
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    t.expect(opened && bytes == encodePng(drawn), name + " is what the program draws now");
    const QImage read = QImage::fromData(bytes, "PNG");
    t.expect(read.hasAlphaChannel(), name + ": has an alpha channel");
    return read.convertToFormat(QImage::Format_ARGB32);
}

// The icon over a plain panel of grey `panel`: how many pixels stand out
// from it by at least half the range.
int standingOut(const QImage& im, int panel) {
    int n = 0;
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            const QRgb p = im.pixel(x, y);
            const int a = qAlpha(p);
            const int shown = (qGray(p) * a + panel * (255 - a)) / 255;
            n += std::abs(shown - panel) >= 128 ? 1 : 0;
        }
    }
    return n;
}

// Black never meets the see-through background directly: there it would
// vanish into a dark panel. Pixels past the icon's edge are not judged.
bool rimmed(const QImage& im) {
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            if (im.pixel(x, y) != kInk)
                continue;
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < im.width() && ny < im.height() &&
                    qAlpha(im.pixel(nx, ny)) != 255)
                    return false;
            }
        }
    }
    return true;
}

void checkShows(Tally& t, const QImage& im, const QString& name) {
    const int area = im.width() * im.height();
    const int corners = qAlpha(im.pixel(0, 0)) + qAlpha(im.pixel(im.width() - 1, 0)) +
                        qAlpha(im.pixel(0, im.height() - 1)) +
                        qAlpha(im.pixel(im.width() - 1, im.height() - 1));
    t.expect(corners == 0, name + ": see-through corners");
    // The light grey of a light desktop theme's panel, and the dark grey of
    // a dark one.
    t.expect(standingOut(im, 0xf0) * 12 >= area && standingOut(im, 0x2b) * 12 >= area,
             name + ": shows on a light panel and on a dark one");
}

// True when the picture is a smaller one enlarged by whole blocks of
// `block` x `block` pixels.
bool madeOfBlocks(const QImage& im, int block) {
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            if (im.pixel(x, y) != im.pixel(x / block * block, y / block * block))
                return false;
        }
    }
    return true;
}

// At 16 and 24 pixels every pixel shows: the black must keep its rim, and
// the rim must stay a rim. Round every line it fills each gap, and on a dark
// panel the icon reads as a white tile with black specks.
void checkLegibleSmall(Tally& t, const QImage& im, const QString& name) {
    t.expect(rimmed(im), name + ": every black pixel rimmed, none beside see-through");
    const auto black = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < im.width() && y < im.height() && im.pixel(x, y) == kInk;
    };
    int white = 0, lone = 0;
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            white += im.pixel(x, y) == kRim ? 1 : 0;
            bool neighbour = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    neighbour = neighbour || ((dx != 0 || dy != 0) && black(x + dx, y + dy));
                }
            }
            lone += black(x, y) && !neighbour ? 1 : 0;
        }
    }
    const int area = im.width() * im.height();
    t.expect(white * 10 <= area * 4,
             name + QStringLiteral(": white covers at most 40% (is %1%), no tile on a dark panel")
                        .arg(white * 100 / area));
    // Lone black pixels read as specks: the eyes may be dots, nothing else.
    t.expect(lone <= 2,
             name + QStringLiteral(": at most two lone black pixels (has %1)").arg(lone));
}

void checkWindowIcon(Tally& t, const QString& dir) {
    const QImage im = readPng(t, dir + QStringLiteral("/icon.png"), icon(), "icon.png");
    t.expect(im.size() == QSize(32, 32), QStringLiteral("icon.png: 32 x 32"));
    if (im.size() != QSize(32, 32))
        return;
    // Opaque or see-through, nothing in between: a transparency mask.
    std::set<QRgb> colours;
    bool mask = true;
    int ink = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb p = im.pixel(x, y);
            mask = mask && (qAlpha(p) == 0 || qAlpha(p) == 255);
            colours.insert(qAlpha(p) == 0 ? kClear : p);
            ink += p == kInk ? 1 : 0;
        }
    }
    t.expect(mask && colours.size() <= 16 && ink > 60,
             QStringLiteral("icon.png: black on a transparency mask, at most 16 colours"));
    t.expect(rimmed(im),
             QStringLiteral("icon.png: every black pixel rimmed, none beside see-through"));
    checkShows(t, im, QStringLiteral("icon.png"));
}

}  // namespace

void checkIcons(Tally& t, const QString& dir) {
    checkWindowIcon(t, dir);
    std::map<int, QImage> icons;
    for (const int size : kDesktopIconSizes) {
        const QString name = QStringLiteral("icons/%1.png").arg(size);
        const QImage im = readPng(t, dir + "/" + name, desktopIcon(size), name);
        t.expect(im.size() == QSize(size, size), name + QStringLiteral(": %1 x %1").arg(size));
        if (im.size() != QSize(size, size))
            continue;
        checkShows(t, im, name);
        if (size <= 24) {
            checkLegibleSmall(t, im, name);
        }
        for (const int smaller : {16, 24, 32}) {
            if (size > smaller && size % smaller == 0) {
                t.expect(
                    !madeOfBlocks(im, size / smaller),
                    name +
                        QStringLiteral(": drawn for its size, not the %1 enlarged").arg(smaller));
            }
        }
    }
}

}  // namespace art
