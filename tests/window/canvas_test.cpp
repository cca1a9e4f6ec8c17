#include "window/canvas.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace klobbet {
namespace {

using Points = std::set<std::pair<int, int>>;

Points nonWhite(const QImage& image) {
    Points points;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                points.insert({x, y});
            }
        }
    }
    return points;
}

Canvas blank(int width = 40, int height = 30) {
    return Canvas(width, height, QFont());
}

TEST(CanvasColour, RedIsTheLowByte) {
    EXPECT_EQ(toQRgb(0x0000FF), qRgb(255, 0, 0));
    EXPECT_EQ(toQRgb(0xFF0000), qRgb(0, 0, 255));
    EXPECT_EQ(toQRgb(kWhite), qRgb(255, 255, 255));
    EXPECT_EQ(toQRgb(kBlack), qRgb(0, 0, 0));
}

TEST(CanvasLine, IncludesBothEndsInEveryDirection) {
    const std::pair<std::pair<int, int>, std::pair<int, int>> cases[] = {
        {{2, 5}, {30, 5}},   // horizontal
        {{30, 5}, {2, 5}},   // horizontal, backwards
        {{7, 1}, {7, 25}},   // vertical
        {{7, 25}, {7, 1}},   // vertical, upwards
        {{1, 1}, {35, 9}},   // shallow
        {{35, 9}, {1, 1}},   // shallow, backwards
        {{3, 2}, {10, 28}},  // steep
        {{10, 28}, {3, 2}},  // steep, backwards
    };
    for (const auto& [from, to] : cases) {
        Canvas canvas = blank();
        canvas.line(from.first, from.second, to.first, to.second, kBlack);
        const Points drawn = nonWhite(canvas.image());
        SCOPED_TRACE(testing::Message()
                     << from.first << "," << from.second << " -> " << to.first << "," << to.second);
        EXPECT_TRUE(drawn.count(from));
        EXPECT_TRUE(drawn.count(to));
        // One pixel per step along the major axis: no gaps, no thickening.
        const int major =
            std::max(std::abs(to.first - from.first), std::abs(to.second - from.second));
        EXPECT_EQ(drawn.size(), static_cast<std::size_t>(major + 1));
        for (const auto& [x, y] : drawn) {
            EXPECT_GE(x, std::min(from.first, to.first));
            EXPECT_LE(x, std::max(from.first, to.first));
            EXPECT_GE(y, std::min(from.second, to.second));
            EXPECT_LE(y, std::max(from.second, to.second));
        }
    }
}

TEST(CanvasLine, FollowsTheIdealLineWithinHalfAPixel) {
    Canvas canvas = blank(700, 300);
    canvas.line(145, 20, 470, 200, kBlack);
    for (const auto& [x, y] : nonWhite(canvas.image())) {
        const double ideal = 20 + (x - 145) * (180.0 / 325.0);
        EXPECT_LE(std::abs(y - ideal), 0.5 + 1e-9) << x;
    }
}

TEST(CanvasLine, IsClippedAtEveryEdge) {
    Canvas canvas = blank(20, 10);
    canvas.line(-5, 5, 30, 5, kBlack);
    canvas.line(3, -8, 3, 40, kBlack);
    const Points drawn = nonWhite(canvas.image());
    EXPECT_TRUE(drawn.count({0, 5}));
    EXPECT_TRUE(drawn.count({19, 5}));
    EXPECT_TRUE(drawn.count({3, 0}));
    EXPECT_TRUE(drawn.count({3, 9}));
    EXPECT_EQ(drawn.size(), 20u + 10u - 1u);
    EXPECT_EQ(canvas.clippedOperations(), 2);
    canvas.line(0, 0, 19, 9, kBlack);
    EXPECT_EQ(canvas.clippedOperations(), 2);
}

TEST(CanvasBox, FillsBothCornerRowsAndColumnsWhicheverCornerComesFirst) {
    for (const auto& [a, b] :
         {std::pair{std::pair{4, 3}, std::pair{9, 7}}, std::pair{std::pair{9, 7}, std::pair{4, 3}},
          std::pair{std::pair{9, 3}, std::pair{4, 7}}}) {
        Canvas canvas = blank();
        canvas.filledBox(a.first, a.second, b.first, b.second, 0x0000FF);
        const Points drawn = nonWhite(canvas.image());
        EXPECT_EQ(drawn.size(), 6u * 5u);
        EXPECT_EQ(*drawn.begin(), std::pair(4, 3));
        EXPECT_EQ(*drawn.rbegin(), std::pair(9, 7));
        EXPECT_EQ(canvas.image().pixel(4, 3), qRgb(255, 0, 0));
    }
}

TEST(CanvasBox, IsClippedAtEveryEdge) {
    Canvas canvas = blank(20, 10);
    canvas.filledBox(-100, -100, 200, 200, kBlack);
    EXPECT_EQ(nonWhite(canvas.image()).size(), 200u);
    canvas.filledBox(-10, 2, -1, 5, kWhite);  // wholly outside: nothing
    EXPECT_EQ(nonWhite(canvas.image()).size(), 200u);
    EXPECT_EQ(canvas.clippedOperations(), 2);
    canvas.filledBox(19, 9, 0, 0, kWhite);
    EXPECT_EQ(canvas.clippedOperations(), 2);
}

TEST(CanvasPaint, CopiesOpaquelyAtNaturalSize) {
    QImage picture(5, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    picture.setPixel(4, 3, qRgb(9, 8, 7));
    Canvas canvas = blank();
    canvas.filledBox(0, 0, 39, 29, kBlack);
    canvas.paint(picture, 10, 20);
    // White pixels of the picture cover what lay beneath: no transparency.
    EXPECT_EQ(canvas.image().pixel(11, 21), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.image().pixel(10, 20), qRgb(1, 2, 3));
    EXPECT_EQ(canvas.image().pixel(14, 23), qRgb(9, 8, 7));
    EXPECT_EQ(canvas.image().pixel(15, 23), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.image().pixel(14, 24), qRgb(0, 0, 0));
}

TEST(CanvasPaint, ClipsAtAllFourEdges) {
    QImage picture(6, 6, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 0));
    picture.setPixel(5, 5, qRgb(10, 20, 30));
    picture.setPixel(0, 0, qRgb(30, 20, 10));
    for (const auto& [x, y, expected] :
         {std::tuple{-3, -3, 9}, std::tuple{37, -3, 9}, std::tuple{-3, 27, 9},
          std::tuple{37, 27, 9}, std::tuple{-6, 0, 0}, std::tuple{40, 0, 0},
          std::tuple{0, 30, 0}}) {
        Canvas canvas = blank();
        canvas.paint(picture, x, y);
        EXPECT_EQ(nonWhite(canvas.image()).size(), static_cast<std::size_t>(expected))
            << x << "," << y;
    }
    Canvas canvas = blank();
    canvas.paint(picture, 34, 24);
    EXPECT_EQ(canvas.clippedOperations(), 0);
    canvas.paint(picture, -5, -5);
    EXPECT_EQ(canvas.clippedOperations(), 1);
    EXPECT_EQ(canvas.image().pixel(0, 0), qRgb(10, 20, 30));
    canvas.paint(picture, 39, 29);
    EXPECT_EQ(canvas.image().pixel(39, 29), qRgb(30, 20, 10));
}

// The game's bitmaps come as colour indices: clipped or not, they land as
// the same pixels as their 32-bit form, and an index with no colour reads
// nothing beyond the picture's table.
TEST(CanvasPaint, IndexedPicturesLandAsTheirColours) {
    QImage picture(6, 5, QImage::Format_Indexed8);
    picture.setColorTable({qRgb(255, 255, 255), qRgb(1, 2, 3), qRgb(200, 100, 50)});
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            picture.setPixel(x, y, static_cast<uint>((x + y) % 3));
        }
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (const auto& [x, y] : {std::pair{10, 20}, std::pair{-2, -1}, std::pair{37, 27}}) {
        Canvas indexed = blank();
        Canvas copied = blank();
        indexed.paint(picture, x, y);
        copied.paint(rgb, x, y);
        EXPECT_EQ(indexed.image(), copied.image()) << x << "," << y;
    }
    picture.scanLine(0)[0] = 7;  // past its three colours
    Canvas canvas = blank();
    canvas.paint(picture, 0, 0);
    EXPECT_EQ(canvas.image().pixel(0, 0), qRgb(0, 0, 0));
}

TEST(CanvasText, IsBlackAndStartsAtItsTopLeftCorner) {
    Canvas canvas(120, 30, legendFont());
    canvas.text(15, 10, QStringLiteral("gauche"));
    const Points drawn = nonWhite(canvas.image());
    ASSERT_FALSE(drawn.empty());
    for (const auto& [x, y] : drawn) {
        EXPECT_GE(x, 15);
        EXPECT_GE(y, 10);
        EXPECT_LT(y, 10 + 13);
    }
    bool black = false;
    for (const auto& [x, y] : drawn) {
        black = black || canvas.image().pixel(x, y) == qRgb(0, 0, 0);
    }
    EXPECT_TRUE(black);
}

}  // namespace
}  // namespace klobbet
