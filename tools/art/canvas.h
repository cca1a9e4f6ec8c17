#pragma once

// Pixel-exact drawing helpers for the game's artwork. Everything is decided
// per pixel centre (inside a shape, or near a line), so the pictures come out
// crisp, without antialiasing, and identical on every run.

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRgb>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace art {

// The small palette every picture is drawn from.
namespace ink {
inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb Plunger = qRgb(220, 0, 0);
inline constexpr QRgb Blood = qRgb(255, 0, 0);
inline constexpr QRgb DarkBlood = qRgb(128, 0, 0);
inline constexpr QRgb Iron = qRgb(79, 79, 79);
inline constexpr QRgb IronShine = qRgb(128, 128, 128);
inline constexpr QRgb Flame = qRgb(255, 128, 0);
inline constexpr QRgb FlameCore = qRgb(255, 255, 0);
inline constexpr QRgb Wax = qRgb(255, 255, 255);
inline constexpr QRgb Paper = qRgb(224, 224, 224);
}  // namespace ink

// Every colour a finished bitmap may contain.
const std::vector<QRgb>& palette();

// A white RGB32 picture of the given size.
QImage blank(int width, int height);

// Paints every pixel whose centre lies inside the path (winding rule).
void fill(QImage& image, const QPainterPath& path, QRgb colour);

// Paints every pixel whose centre lies within width/2 of the path's outline.
void stroke(QImage& image, const QPainterPath& path, QRgb colour, double width);

// A steady two-pixel line along the path: a 2 x 2 pen moved along one pixel
// wide steps that never turn a corner where a diagonal step would do. A line
// of any slope or curve keeps one weight, where `stroke` at width 2 swells
// to 3 pixels wherever the path runs through pixel centres.
void pen(QImage& image, const QPainterPath& path, QRgb colour);
void pen(QImage& image, std::initializer_list<QPointF> points, QRgb colour);

// The pen along the outline with every subpath closed, over a filled inside.
void penShape(QImage& image, const QPainterPath& path, QRgb fillColour, QRgb lineColour);

// Strokes the path's outline with every subpath closed.
void outline(QImage& image, const QPainterPath& path, QRgb colour, double width);

// A filled shape with an outline of the given width centred on its edge.
void shape(QImage& image, const QPainterPath& path, QRgb fillColour, QRgb lineColour,
           double lineWidth);

// A polyline through the points, with round ends and joints.
void line(QImage& image, std::initializer_list<QPointF> points, QRgb colour, double width);

// A smooth curve from a through b, c to d (one cubic segment).
void curve(QImage& image, QPointF a, QPointF b, QPointF c, QPointF d, QRgb colour, double width);

// Sets pixels from a little picture written as text, one string per row.
// Characters found in `key` are painted with the paired colour; any other
// character leaves the pixel as it is.
void stamp(QImage& image, int left, int top, const std::vector<std::string>& rows,
           std::initializer_list<std::pair<char, QRgb>> key);

// Solid rectangle given by its inclusive corner pixels.
void box(QImage& image, int x0, int y0, int x1, int y1, QRgb colour);

// Convenience builders for paths.
QPainterPath ellipse(QPointF centre, double rx, double ry);
QPainterPath polygon(std::initializer_list<QPointF> points);

}  // namespace art
