#include "window/bitmaps.h"

#include <QList>
#include <algorithm>
#include <string>

namespace klobbet {

namespace {

// The bitmaps are drawn in a handful of colours each: kept as one byte per
// pixel naming one of the picture's own colours, they take a quarter of
// the memory of 32-bit pixels, and the canvas turns them back, exactly,
// as it copies them. A picture of more than 256 colours stays as it is.
QImage indexedIfFewColours(const QImage& rgb) {
    QList<QRgb> colours;
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            auto found = std::find(colours.cbegin(), colours.cend(), from[x]);
            if (found == colours.cend()) {
                if (colours.size() == 256) {
                    return rgb;
                }
                colours.append(from[x]);
                found = colours.cend() - 1;
            }
            to[x] = static_cast<uchar>(found - colours.cbegin());
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

}  // namespace

BitmapLoadError::BitmapLoadError(int number)
    : std::runtime_error("bitmap " + std::to_string(number) + " cannot be loaded"),
      number_(number) {}

Picture loadBitmapResource(int number) {
    if (number < kFirstBitmap || number > kLastBitmap) {
        throw BitmapLoadError(number);
    }
    const QImage image(QStringLiteral(":/bitmaps/%1.bmp").arg(number));
    if (image.isNull()) {
        throw BitmapLoadError(number);
    }
    return std::make_shared<const QImage>(
        indexedIfFewColours(image.convertToFormat(QImage::Format_RGB32)));
}

}  // namespace klobbet
