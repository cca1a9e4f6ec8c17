#include <algorithm>
#include <cmath>

#include "match/gauge_geometry.h"
#include "window/form1.h"

namespace klobbet {

namespace {

// floor(r x count) for r in [0, 1), kept in range even for r = 1.
int drawBelow(double r, int count) {
    return std::clamp(static_cast<int>(std::floor(r * count)), 0, count - 1);
}

constexpr std::int64_t kSecond = 10000;  // clock ticks

}  // namespace

std::int16_t Form1::directionAt(int position) const {
    return sequence.at(static_cast<std::size_t>(position - 1));
}

const Picture& Form1::symbolFor(bool easy, int direction) const {
    if (easy) {
        return arrowSymbols.at(static_cast<std::size_t>(direction));
    }
    return bigSymbols.at(static_cast<std::size_t>(direction + symbolShift));
}

void Form1::drawPoses(const std::uint8_t& leftSlot, const std::uint8_t& rightSlot) {
    Picture1.PaintPicture(leftPoses.at(leftSlot), gauge::kLeftPoseX, gauge::kPoseY);
    Picture1.PaintPicture(rightPoses.at(rightSlot), gauge::kRightPoseX, gauge::kPoseY);
}

void Form1::Command1_Click() {
    Label3.setVisible(true);
    Picture2.setVisible(false);
    Picture1.Cls();
    gameOver = false;

    services_.Randomize(services_.timeOfDay());
    symbolShift = static_cast<std::int16_t>(drawBelow(services_.Rnd(), 5) + 1);
    sequence.clear();
    const std::int16_t length = sequenceLength;
    for (int i = 1; i <= length; ++i) {
        sequence.push_back(static_cast<std::int16_t>(drawBelow(services_.Rnd(), 4)));
    }
    leftProgress = 1;
    rightProgress = 1;

    // Disabling the button hands the focus to the playing field by tab order.
    Command1.setEnabled(false);
    mnupartie.setEnabled(false);

    const std::uint8_t pushing = 0;
    drawPoses(pushing, pushing);
    Picture1.PaintPicture(anvilPicture, 100, 100);
    Picture1.PaintPicture(anvilPicture, 520, 100);
    Picture1.Line(145, 20, 145, 100, kBlack);
    Picture1.Line(145, 20, 470, 200, kBlack);
    Picture1.Line(240, 200, 563, 20, kBlack);
    Picture1.Line(563, 20, 563, 100, kBlack);
    drawCandleGauge(1, kBlack);
    drawCandleGauge(2, kBlack);

    // The countdown keeps the event thread; each new digit is shown at once.
    const std::int64_t start = clockTicks();
    Label3.setCaption(QStringLiteral("3"));
    Label3.Refresh();
    for (;;) {
        const std::int64_t elapsed = clockTicks() - start;
        if (elapsed >= 3 * kSecond) {
            break;
        }
        const int digit = 3 - static_cast<int>(elapsed / kSecond);
        if (Label3.caption().toInt() != digit) {
            Label3.setCaption(QString::number(digit));
            Label3.Refresh();
        }
        services_.pauseBriefly(static_cast<double>(kSecond - elapsed % kSecond) / 10000.0);
    }

    Picture3.PaintPicture(symbolFor(leftEasy, directionAt(1)), 0, 0);
    Picture4.PaintPicture(symbolFor(rightEasy, directionAt(1)), 0, 0);
    Label3.setVisible(false);
    Picture2.setVisible(true);

    Picture2.CurrentX = 0;
    Picture2.CurrentY = 0;
    Picture2.Print(QStringLiteral("     conversions :"));
    static const char* const kDirectionNames[] = {"gauche", "haut", "droite", "bas"};
    for (int direction = 0; direction < 4; ++direction) {
        const int y = 10 + 13 * direction;
        Picture2.PaintPicture(smallSymbols.at(static_cast<std::size_t>(symbolShift + direction)), 0,
                              y);
        Picture2.CurrentX = 15;
        Picture2.CurrentY = y;
        Picture2.Print(QString::fromUtf8(kDirectionNames[direction]));
    }
    if (leftDiabolical || rightDiabolical) {
        Picture2.setVisible(false);
    }
}

}  // namespace klobbet
