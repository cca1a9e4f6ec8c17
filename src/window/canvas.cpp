#include "window/canvas.h"

#include "window/line_pixels.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdlib>

namespace klobbet {

QRgb toQRgb(Colour colour) {
    const auto bits = static_cast<std::uint32_t>(colour);
    return qRgb(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF));
}

namespace {

// 96 dots per inch, in the dots per metre that QImage keeps.
constexpr int kDotsPerMetreAt96Dpi = 3780;

}  // namespace

QFont proportionalSans(QFont font) {
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Noto Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("FreeSans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica")});
    if (QGuiApplication::instance() == nullptr || !QFontInfo(font).fixedPitch()) {
        return font;
    }
    for (const QString& family : QFontDatabase::families()) {
        if (family.contains(QStringLiteral("Sans")) && !family.contains(QStringLiteral("Mono")) &&
            !QFontDatabase::isFixedPitch(family)) {
            font.setFamilies({family});
            break;
        }
    }
    return font;
}

QFont legendFont() {
    QFont font = proportionalSans(QFont());
    font.setPointSize(8);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

Canvas::Canvas(int width, int height, const QFont& font)
    : image_(width, height, QImage::Format_RGB32), font_(font) {
    image_.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
    image_.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    clear();
}

void Canvas::clear() {
    image_.fill(Qt::white);
}

bool Canvas::plot(int x, int y, QRgb rgb) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
        return false;
    }
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = rgb;
    return true;
}

void Canvas::paint(const QImage& picture, int x, int y) {
    // The game's bitmaps come as colour indices (see bitmaps.cpp); anything
    // else is copied as 32-bit pixels.
    const bool indexed = picture.format() == QImage::Format_Indexed8;
    const QImage source = indexed || picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    const int left = std::max(0, x);
    const int right = std::min(image_.width(), x + source.width());
    const int top = std::max(0, y);
    const int bottom = std::min(image_.height(), y + source.height());
    if (left != x || top != y || right != x + source.width() || bottom != y + source.height()) {
        ++clipped_;
    }
    if (left >= right || top >= bottom) {
        return;
    }
    // Every index has a colour, black where the picture names none.
    std::array<QRgb, 256> colours{};
    colours.fill(0xFF000000);
    const QList<QRgb> table = source.colorTable();
    std::copy_n(table.cbegin(), std::min<qsizetype>(table.size(), 256), colours.begin());
    for (int row = top; row < bottom; ++row) {
        auto* to = reinterpret_cast<QRgb*>(image_.scanLine(row)) + left;
        if (indexed) {
            const uchar* from = source.constScanLine(row - y) + (left - x);
            std::transform(from, from + (right - left), to,
                           [&colours](uchar index) { return colours[index]; });
        } else {
            const auto* from =
                reinterpret_cast<const QRgb*>(source.constScanLine(row - y)) + (left - x);
            std::copy(from, from + (right - left), to);
        }
    }
}

void Canvas::line(int x1, int y1, int x2, int y2, Colour colour) {
    const QRgb rgb = toQRgb(colour);
    bool clipped = false;
    forEachLinePixel(x1, y1, x2, y2, [&](int x, int y) { clipped = !plot(x, y, rgb) || clipped; });
    clipped_ += clipped ? 1 : 0;
}

void Canvas::filledBox(int x1, int y1, int x2, int y2, Colour colour) {
    const QRgb rgb = toQRgb(colour);
    const int left = std::max(0, std::min(x1, x2));
    const int right = std::min(image_.width() - 1, std::max(x1, x2));
    const int top = std::max(0, std::min(y1, y2));
    const int bottom = std::min(image_.height() - 1, std::max(y1, y2));
    if (left != std::min(x1, x2) || right != std::max(x1, x2) || top != std::min(y1, y2) ||
        bottom != std::max(y1, y2)) {
        ++clipped_;
    }
    for (int row = top; row <= bottom; ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(image_.scanLine(row));
        std::fill(pixels + left, pixels + right + 1, rgb);
    }
}

int Canvas::text(int x, int y, const QString& text) {
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font_, &image_);
    painter.drawText(x, y + metrics.ascent(), text);
    return metrics.height();
}

}  // namespace klobbet
