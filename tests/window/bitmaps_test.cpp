#include "window/bitmaps.h"

#include <gtest/gtest.h>

#include <QFile>
#include <map>

namespace klobbet {
namespace {

const std::map<int, QSize> kSizes = [] {
    std::map<int, QSize> sizes{{101, {14, 32}},   {102, {90, 36}},   {103, {90, 62}},
                               {104, {178, 204}}, {105, {170, 204}}, {106, {178, 204}},
                               {107, {178, 204}}};
    for (int n = 108; n <= 111; ++n) {
        sizes[n] = {214, 204};
    }
    for (int n = 112; n <= 119; ++n) {
        sizes[n] = {16, 16};
    }
    for (int n = 120; n <= 127; ++n) {
        sizes[n] = {84, 89};
    }
    return sizes;
}();

constexpr QRgb kWhitePixel = 0xFFFFFFFF;

bool isBlack(QRgb pixel) {
    return qRed(pixel) < 40 && qGreen(pixel) < 40 && qBlue(pixel) < 40;
}

TEST(Bitmaps, EveryNumberLoadsAtItsExactSizeAs24BitUncompressed) {
    ASSERT_EQ(kSizes.size(), 27u);
    for (const auto& [number, size] : kSizes) {
        const Picture picture = loadBitmapResource(number);
        EXPECT_EQ(picture->size(), size) << number;

        QFile file(QStringLiteral(":/bitmaps/%1.bmp").arg(number));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << number;
        const QByteArray header = file.read(54);
        ASSERT_EQ(header.size(), 54);
        EXPECT_EQ(header.left(2), QByteArray("BM"));
        EXPECT_EQ(static_cast<unsigned char>(header[28]), 24) << number << ": bits per pixel";
        EXPECT_EQ(static_cast<unsigned char>(header[30]), 0) << number << ": compression";
    }
}

// Kept as colour indices, a quarter of their 32-bit size, with every pixel
// the file's own.
TEST(Bitmaps, KeepEveryPixelOfTheFileInOneBytePerPixel) {
    for (const auto& [number, size] : kSizes) {
        const Picture picture = loadBitmapResource(number);
        EXPECT_EQ(picture->format(), QImage::Format_Indexed8) << number;
        const QImage file(QStringLiteral(":/bitmaps/%1.bmp").arg(number));
        EXPECT_EQ(picture->convertToFormat(QImage::Format_RGB32),
                  file.convertToFormat(QImage::Format_RGB32))
            << number;
    }
}

TEST(Bitmaps, LieOnPureWhiteWithSomethingDrawn) {
    for (const auto& [number, size] : kSizes) {
        const Picture picture = loadBitmapResource(number);
        const QImage& image = *picture;
        EXPECT_EQ(image.pixel(0, 0), kWhitePixel) << number;
        EXPECT_EQ(image.pixel(size.width() - 1, 0), kWhitePixel) << number;
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                drawn += image.pixel(x, y) != kWhitePixel;
            }
        }
        EXPECT_GT(drawn, size.width() * size.height() / 50) << number;
    }
}

TEST(Bitmaps, NumbersOutsideTheTableOrMissingStopWithTheirNumber) {
    for (int number : {0, 100, 128, -5}) {
        try {
            loadBitmapResource(number);
            FAIL() << number;
        } catch (const BitmapLoadError& error) {
            EXPECT_EQ(error.number(), number);
        }
    }
}

struct PoseSide {
    int first;
    int last;
    int boxLeft;
    int spanLeft;
    int spanRight;
};

// The plunger box carries the candle gauge: its outline must be exactly where
// the gauge stands, the same in every pose of a side.
TEST(Bitmaps, PosesHaveTheirPlungerBoxFeetAndSpanInPlace) {
    for (const PoseSide side : {PoseSide{104, 107, 122, 2, 163}, PoseSide{108, 111, 50, 50, 211}}) {
        for (int number = side.first; number <= side.last; ++number) {
            SCOPED_TRACE(number);
            const Picture picture = loadBitmapResource(number);
            const QImage& image = *picture;
            for (int x = side.boxLeft; x <= side.boxLeft + 41; ++x) {
                for (int y : {160, 161, 176, 177}) {
                    EXPECT_TRUE(isBlack(image.pixel(x, y))) << x << "," << y;
                }
            }
            for (int y = 160; y <= 177; ++y) {
                for (int x :
                     {side.boxLeft, side.boxLeft + 1, side.boxLeft + 40, side.boxLeft + 41}) {
                    EXPECT_TRUE(isBlack(image.pixel(x, y))) << x << "," << y;
                }
            }
            // The red rod ends on the box's top edge (at the end nearest the
            // player, where the tower does not stand).
            bool rod = false;
            for (int x = side.boxLeft; x <= side.boxLeft + 41; ++x) {
                const QRgb pixel = image.pixel(x, 159);
                rod = rod || (qRed(pixel) > 150 && qGreen(pixel) < 80 && qBlue(pixel) < 80);
            }
            EXPECT_TRUE(rod);

            bool feet = false;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const bool drawn = image.pixel(x, y) != kWhitePixel;
                    if (drawn) {
                        EXPECT_LE(y, 197) << x << "," << y;
                        EXPECT_GE(x, side.spanLeft) << x << "," << y;
                        EXPECT_LE(x, side.spanRight) << x << "," << y;
                        feet = feet || y == 197;
                    }
                }
            }
            EXPECT_TRUE(feet);
        }
    }
}

TEST(Bitmaps, ConfusedPosesDifferFromTheirNormalForms) {
    const auto differs = [](int a, int b) {
        return loadBitmapResource(a)->copy(0, 0, 170, 204) !=
               loadBitmapResource(b)->copy(0, 0, 170, 204);
    };
    EXPECT_TRUE(differs(104, 105));  // standing, confused or not
    EXPECT_TRUE(differs(107, 106));  // pushing, confused or not
    EXPECT_TRUE(differs(105, 106));  // standing against pushing
    EXPECT_TRUE(differs(108, 109));
    EXPECT_TRUE(differs(111, 110));
    EXPECT_TRUE(differs(109, 110));
}

}  // namespace
}  // namespace klobbet
