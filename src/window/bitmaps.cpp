#include "window/bitmaps.h"

#include <string>

namespace klobbet {

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
    return std::make_shared<const QImage>(image.convertToFormat(QImage::Format_RGB32));
}

}  // namespace klobbet
