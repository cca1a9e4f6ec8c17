#pragma once

// The players' big round head, facing the plunger (to the right).

#include <QImage>
#include <QPointF>

namespace art {

enum class Mood { Grinning, Puzzled };

inline constexpr double kHeadRadius = 29.0;
// Every line of a player is this wide, so that none looks heavier than
// another at 1:1.
inline constexpr double kLine = 2.0;

// Draws the head centred on `centre`, turned `tilt` degrees (positive bows it
// towards the plunger). The face is drawn after the turn, stroke by stroke,
// so that a tilted face keeps its line weight.
void drawHead(QImage& image, QPointF centre, double tilt, Mood mood);

}  // namespace art
