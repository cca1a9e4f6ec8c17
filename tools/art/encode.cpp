#include "check.h"

#include <QBuffer>
#include <QImageWriter>

namespace art {
namespace {

QByteArray encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

}  // namespace

QByteArray encodeBmp(const QImage& image) {
    // Qt writes a 32-bit RGB picture as 24-bit BI_RGB.
    return encode(image.convertToFormat(QImage::Format_RGB32), "bmp");
}

QByteArray encodePng(const QImage& image) {
    return encode(image.convertToFormat(QImage::Format_ARGB32), "png");
}

}  // namespace art
