#pragma once

// The game's one window: its controls, picture tables and match state, and
// every handler. The handlers' bodies live with their subsystem (match/,
// settings/); this header is where they all meet.

#include <array>
#include <cstdint>
#include <vector>

#include "window/platform.h"

namespace klobbet {

// The window system's controls, built by the Qt layer or by a test double.
struct Form1Controls {
    Surface& Picture1;
    Surface& Picture2;
    Surface& Picture3;
    Surface& Picture4;
    Label& Label3;
    Switch& Command1;
    Switch& mnupartie;
    MenuItem& mnulent;
    MenuItem& mnumoyen;
    MenuItem& mnulong;
    MenuItem& mnufacile;
    MenuItem& mnudifficile;
    MenuItem& mnudiabo1;
    MenuItem& mnufacile2;
    MenuItem& mnudifficile2;
    MenuItem& mnudiabo2;
    Timer& Timer1;
    Timer& Timer2;
};

class Form1 {
  public:
    Form1(const Form1Controls& controls, Services& services);

    // Handlers, one per event the game reacts to.
    void Form_Load();
    void Form_QueryUnload(int& cancel, int unloadMode);
    void Command1_Click();
    void Picture1_KeyUp(std::int16_t keyCode, std::int16_t shift);
    void Timer1_Timer();
    void Timer2_Timer();
    void mnulent_Click();
    void mnumoyen_Click();
    void mnulong_Click();
    void mnufacile_Click();
    void mnudifficile_Click();
    void mnudiabo1_Click();
    void mnufacile2_Click();
    void mnudifficile2_Click();
    void mnudiabo2_Click();
    void mnuquit_Click();

    // Controls.
    Surface& Picture1;
    Surface& Picture2;
    Surface& Picture3;
    Surface& Picture4;
    Label& Label3;
    Switch& Command1;
    Switch& mnupartie;
    MenuItem& mnulent;
    MenuItem& mnumoyen;
    MenuItem& mnulong;
    MenuItem& mnufacile;
    MenuItem& mnudifficile;
    MenuItem& mnudiabo1;
    MenuItem& mnufacile2;
    MenuItem& mnudifficile2;
    MenuItem& mnudiabo2;
    Timer& Timer1;
    Timer& Timer2;

    // Picture tables. Poses and arrows by slot 0..3; symbols by number 1..8
    // (index 0 stays empty).
    std::array<Picture, 4> leftPoses;
    std::array<Picture, 4> rightPoses;
    std::array<Picture, 9> bigSymbols;
    std::array<Picture, 9> smallSymbols;
    std::array<Picture, 4> arrowSymbols;
    Picture anvilPicture;
    Picture candlePicture;
    Picture flattenedPicture;

    // Match state.
    std::vector<std::int16_t> sequence;  // read by 1-based position
    std::int16_t sequenceLength = 20;
    std::int16_t symbolShift = 0;
    std::int16_t leftProgress = 0;
    std::int16_t rightProgress = 0;
    bool leftStunned = false;
    bool rightStunned = false;
    bool gameOver = true;
    bool leftEasy = false;
    bool leftDiabolical = false;
    bool rightEasy = false;
    bool rightDiabolical = false;

  private:
    friend struct Form1Probe;  // lets the tests call the private procedures

    void drawPoses(const std::uint8_t& leftSlot, const std::uint8_t& rightSlot);
    void drawCandleGauge(std::int16_t player, double colour);
    void playFinale(std::int16_t winner);

    // The picture a player is shown for a direction, by level and mapping.
    const Picture& symbolFor(bool easy, int direction) const;
    // The direction at a 1-based position; throws rather than read past the end.
    std::int16_t directionAt(int position) const;
    // The clock in units of 0.0001 s, as the waits count it.
    std::int64_t clockTicks();
    // Returns at the first clock reading more than `span` ticks after `start`.
    void waitPast(std::int64_t start, std::int64_t span);
    // Asks whether to leave; on Yes shows the parting message and ends the
    // program. Returns whether the player chose to leave.
    bool confirmLeaving(const QString& partingPrompt, const QString& partingTitle);

    // One side of the field, as the key handler and the stun timers see it.
    struct Side {
        std::int16_t player;
        std::int16_t& progress;
        bool& stunned;
        bool easy;
        const std::array<Picture, 4>& poses;
        int poseX;
        Surface& symbolBox;
        Timer& timer;
    };
    Side leftSide();
    Side rightSide();
    void playKey(const Side& side, bool correct);
    void endStun(const Side& side);

    Services& services_;
};

}  // namespace klobbet
