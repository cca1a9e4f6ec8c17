#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>

namespace klobbet {

// A colour as the game speaks it: an RGB number with red in the low byte,
// so 0 is black and 16777215 (0xFFFFFF) is white.
using Colour = std::int32_t;

inline constexpr Colour kBlack = 0;
inline constexpr Colour kWhite = 0xFFFFFF;

QRgb toQRgb(Colour colour);

// The font with a proportional sans-serif face: the first installed of the
// usual ones, else any installed sans that is not monospaced. Asking for a
// face by a generic name is not enough: fontconfig can answer "Sans Serif"
// or "MS Sans Serif" with a monospaced face.
QFont proportionalSans(QFont font);

// A sans-serif at 8 points of a 96-dpi screen, drawn crisp: the text of the
// legend. The canvas lays text out at 96 dpi whatever the desktop's font
// resolution, so that the legend's rows keep their pixel size.
QFont legendFont();

// The backing image of a picture surface and the pixel-exact drawing on it.
// Production and tests draw through this one class, so what the tests read
// off the image is what the players see. The image has the resolution of a
// 96-dpi screen, which sizes its text.
class Canvas {
  public:
    Canvas(int width, int height, const QFont& font);

    void clear();
    // Opaque copy at natural size; whatever falls outside is clipped.
    void paint(const QImage& picture, int x, int y);
    // One-pixel Bresenham line, both end points included.
    void line(int x1, int y1, int x2, int y2, Colour colour);
    // Filled rectangle, both corner rows and columns included, corners in any order.
    void filledBox(int x1, int y1, int x2, int y2, Colour colour);
    // Black text whose top-left corner is at (x, y); returns the line height.
    int text(int x, int y, const QString& text);

    const QImage& image() const { return image_; }
    const QFont& font() const { return font_; }
    // How many drawing operations reached past the edges; the game's scene
    // is laid out to stay inside, so anything else means a misplaced drawing.
    int clippedOperations() const { return clipped_; }

  private:
    bool plot(int x, int y, QRgb rgb);

    QImage image_;
    QFont font_;
    int clipped_ = 0;
};

}  // namespace klobbet
