#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace art {

// The exact bytes written to disk: an uncompressed 24-bit BMP, and a PNG
// with an alpha channel for the icon.
QByteArray encodeBmp(const QImage& image);
QByteArray encodePng(const QImage& image);

// Checks every picture in `dir` (bitmaps/101.bmp ... 127.bmp, icon.png and
// icons/16.png ... 256.png):
// the file format, the sizes, the white background and the places the game
// relies on, and that the files match what this program draws now. Prints
// one line per failure and a summary; true when everything passed.
bool check(const QString& dir);

}  // namespace art
