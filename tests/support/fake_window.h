#pragma once

// The window-system double: controls that record their state, scripted
// message-box answers and a clock that only moves when the game waits.

#include <deque>
#include <functional>
#include <set>
#include <vector>

#include "window/form1.h"
#include "window/random.h"

namespace klobbet::testing {

class FakeServices;

class FakeSurface : public Surface {
  public:
    FakeSurface(int width, int height, bool visible = true);
    void Refresh() override {
        ++refreshes;
        if (onRefresh) {
            onRefresh();
        }
    }
    void setVisible(bool visible) override { visible_ = visible; }
    bool isVisible() const override { return visible_; }

    int refreshes = 0;
    std::function<void()> onRefresh;

  private:
    bool visible_;
};

class FakeLabel : public Label {
  public:
    explicit FakeLabel(const FakeServices& services) : services_(services) {}
    struct Shown {
        QString caption;
        double at;
    };

    void setCaption(const QString& caption) override { caption_ = caption; }
    QString caption() const override { return caption_; }
    void setVisible(bool visible) override { visible_ = visible; }
    bool isVisible() const override { return visible_; }
    void setFontSize(int points) override { fontSize_ = points; }
    int fontSize() const override { return fontSize_; }
    void setAlignment(int alignment) override { alignment_ = alignment; }
    int alignment() const override { return alignment_; }
    void Refresh() override;

    std::vector<Shown> shown;  // caption and clock at every Refresh
    std::function<void()> onRefresh;

  private:
    const FakeServices& services_;
    QString caption_;
    bool visible_ = true;
    int fontSize_ = 72;
    int alignment_ = 2;
};

class FakeSwitch : public Switch {
  public:
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }

  private:
    bool enabled_ = true;
};

class FakeMenuItem : public MenuItem {
  public:
    explicit FakeMenuItem(bool checked = false) : checked_(checked) {}
    void setChecked(bool checked) override { checked_ = checked; }
    bool isChecked() const override { return checked_; }

  private:
    bool checked_;
};

class FakeTimer : public Timer {
  public:
    explicit FakeTimer(const FakeServices& services) : services_(services) {}
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }

    int enables = 0;
    double enabledAt = -1;

  private:
    const FakeServices& services_;
    bool enabled_ = false;
};

struct ShownBox {
    QString prompt;
    int style;
    QString title;
};

class FakeServices : public Services {
  public:
    int MsgBox(const QString& prompt, int style, const QString& title) override;
    Picture LoadPicture(int number) override;
    double clockSeconds() override { return now; }
    float timeOfDay() override { return dayTime; }
    void pauseBriefly(double left) override;
    void Randomize(float seed) override;
    double Rnd() override;
    void discardQueuedInput() override { ++discards; }
    void End() override { ++ends; }

    double now = 1000.0;       // seconds on the monotonic clock
    double pauseStep = 0.001;  // how far the clock moves while the game pauses
    float dayTime = 43200.5F;
    std::deque<int> answers;  // next message-box answers; 1 (OK) when empty
    std::vector<ShownBox> boxes;
    std::vector<float> seeds;
    std::deque<double> scriptedRandoms;  // used before the real generator
    std::set<int> missingBitmaps;
    std::vector<int> loaded;
    int pauses = 0;
    int ends = 0;
    int discards = 0;

  private:
    UniformRandom random_;
};

// The whole window with its controls, loaded as at start-up.
struct FakeWindow {
    FakeWindow();

    // Clicks "Jouer" with the random numbers that give this match.
    void startMatch(int symbolShift, const std::vector<int>& directions);
    // Types the correct key for the player's next direction.
    void typeCorrect(int player);
    void typeWrong(int player);
    // Delivers a timer's tick if it is enabled.
    void tick(int player);

    FakeServices services;
    FakeSurface Picture1{655, 423};
    FakeSurface Picture2{121, 73, false};
    FakeSurface Picture3{111, 103};
    FakeSurface Picture4{111, 103};
    FakeLabel Label3{services};
    FakeSwitch Command1;
    FakeSwitch mnupartie;
    FakeMenuItem mnulent, mnumoyen{true}, mnulong, mnufacile, mnudifficile{true}, mnudiabo1,
        mnufacile2, mnudifficile2{true}, mnudiabo2;
    FakeTimer Timer1{services};
    FakeTimer Timer2{services};
    Form1 form;
};

// Key codes by player and direction.
std::int16_t keyFor(int player, int direction);

// The random number that floor(r x count) turns into `value`.
double randomFor(int value, int count);

}  // namespace klobbet::testing
