#pragma once

// What the self-check of the pictures is built from: a tally of results, a
// BMP reader of its own, and ways to measure the ink in a picture.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace art {

struct Tally {
    int passed = 0;
    int failed = 0;
    // Counts the result and prints one line when it failed.
    void expect(bool ok, const QString& what);
};

// Decodes an uncompressed 24-bit bottom-up BMP; says what is wrong otherwise.
std::optional<QImage> decodeBmp(const QByteArray& bytes, QString& problem);

bool isWhite(const QImage& im, int x, int y);

// Inclusive bounds of everything that is not white.
struct Extent {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Extent inkExtent(const QImage& im);

// Pixels of the colour in the rectangle (x1, y1 of -1: to the far edge).
int count(const QImage& im, QRgb colour, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1);

bool borderWhite(const QImage& im);

// Column c pairs with axisTwice - c; `shapeOnly` compares ink against white
// only, ignoring which colour the ink is.
bool mirrorSymmetric(const QImage& im, int axisTwice, bool shapeOnly = false);

// Checks the window icon and the desktop icons in `dir`.
void checkIcons(Tally& t, const QString& dir);

// Checks that the candle gauge, at any step of any match, draws nowhere on
// the plunger or the hands of player picture `number`.
void checkGaugeClearance(Tally& t, int number, const QImage& im);

// Checks one decoded bitmap of the given number against what the game needs.
void checkPicture(Tally& t, int number, const QImage& im);

}  // namespace art
