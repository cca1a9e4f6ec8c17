#include "window/form1.h"

namespace klobbet {

namespace {

struct LoserSide {
    std::int16_t player;
    int lines[2][4];  // the two lines the loser's anvil hangs from, in erase order
    int anvilX;
    int stepBoxRight;
    int finalBox[4];
};

constexpr LoserSide kRightLoses{
    2, {{240, 200, 563, 20}, {563, 20, 563, 100}}, 520, 610, {400, 180, 630, 404}};
constexpr LoserSide kLeftLoses{
    1, {{145, 20, 145, 100}, {145, 20, 470, 200}}, 100, 280, {100, 180, 280, 404}};

constexpr std::int64_t kStepWait = 2000;     // clock ticks: 0.2 s
constexpr std::int64_t kFinalPause = 50000;  // 5 s from the last step's wait

}  // namespace

void Form1::playFinale(std::int16_t winner) {
    const LoserSide& loser = winner == 1 ? kRightLoses : kLeftLoses;
    gameOver = true;

    for (const auto& line : loser.lines) {
        Picture1.Line(line[0], line[1], line[2], line[3], kWhite);
    }
    drawCandleGauge(loser.player, kWhite);

    std::int64_t stepStart = 0;
    for (int i = 0; i < 8; ++i) {
        Picture1.LineFilledBox(loser.anvilX, 100 + 10 * i, loser.stepBoxRight, 135 + 10 * i,
                               kWhite);
        Picture1.PaintPicture(anvilPicture, loser.anvilX, 110 + 10 * i);
        Picture1.Refresh();
        stepStart = clockTicks();
        waitPast(stepStart, kStepWait);
    }

    const auto& box = loser.finalBox;
    Picture1.LineFilledBox(box[0], box[1], box[2], box[3], kWhite);
    Picture1.PaintPicture(flattenedPicture, loser.anvilX, 342);
    Picture1.Refresh();
    waitPast(stepStart, kFinalPause);

    Command1.setEnabled(true);
    mnupartie.setEnabled(true);
    Label3.setFontSize(48);
    Label3.setAlignment(2);

    // The game ignores keys typed during the finale, but the window would
    // not: a Tab then a space among them would start the next match.
    services_.discardQueuedInput();
}

}  // namespace klobbet
