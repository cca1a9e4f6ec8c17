// The BMP files are decoded here by hand rather than by Qt, so that a header
// Qt would quietly accept but the game's loader might not (a compressed or
// 32-bit file, say) is caught too.

#include "check_tools.h"

#include "canvas.h"

#include <algorithm>
#include <cstdio>

namespace art {

void Tally::expect(bool ok, const QString& what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL %s\n", qPrintable(what));
    }
}

namespace {

quint32 le(const QByteArray& b, int at, int n) {
    quint32 v = 0;
    for (int i = n - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<quint8>(b[at + i]);
    }
    return v;
}

}  // namespace

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

int count(const QImage& im, QRgb colour, int x0, int y0, int x1, int y1) {
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

bool mirrorSymmetric(const QImage& im, int axisTwice, bool shapeOnly) {
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

}  // namespace art
