#include "support/fake_window.h"

#include "window/bitmaps.h"

namespace klobbet::testing {

FakeSurface::FakeSurface(int width, int height, bool visible)
    : Surface(width, height, legendFont()), visible_(visible) {}

void FakeLabel::Refresh() {
    shown.push_back({caption_, services_.now});
    if (onRefresh) {
        onRefresh();
    }
}

void FakeTimer::setEnabled(bool enabled) {
    if (enabled && !enabled_) {
        ++enables;
        enabledAt = services_.now;
    }
    enabled_ = enabled;
}

int FakeServices::MsgBox(const QString& prompt, int style, const QString& title) {
    boxes.push_back({prompt, style, title});
    if (answers.empty()) {
        return msgbox::kOk;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

Picture FakeServices::LoadPicture(int number) {
    if (missingBitmaps.count(number) != 0) {
        throw BitmapLoadError(number);
    }
    loaded.push_back(number);
    return loadBitmapResource(number);
}

void FakeServices::pauseBriefly(double /*left*/) {
    ++pauses;
    now += pauseStep;
}

void FakeServices::Randomize(float seed) {
    seeds.push_back(seed);
    random_.reseed(seed);
}

double FakeServices::Rnd() {
    if (!scriptedRandoms.empty()) {
        const double r = scriptedRandoms.front();
        scriptedRandoms.pop_front();
        return r;
    }
    return random_.next();
}

FakeWindow::FakeWindow()
    : form(Form1Controls{Picture1, Picture2, Picture3, Picture4, Label3, Command1, mnupartie,
                         mnulent, mnumoyen, mnulong, mnufacile, mnudifficile, mnudiabo1, mnufacile2,
                         mnudifficile2, mnudiabo2, Timer1, Timer2},
           services) {
    form.Form_Load();
}

double randomFor(int value, int count) {
    return (value + 0.5) / count;
}

void FakeWindow::startMatch(int symbolShift, const std::vector<int>& directions) {
    services.scriptedRandoms.push_back(randomFor(symbolShift - 1, 5));
    for (int direction : directions) {
        services.scriptedRandoms.push_back(randomFor(direction, 4));
    }
    form.Command1_Click();
}

std::int16_t keyFor(int player, int direction) {
    static constexpr std::int16_t kLeft[4] = {81, 90, 68, 83};
    return player == 1 ? kLeft[direction] : static_cast<std::int16_t>(37 + direction);
}

void FakeWindow::typeCorrect(int player) {
    const int progress = player == 1 ? form.leftProgress : form.rightProgress;
    form.Picture1_KeyUp(keyFor(player, form.sequence.at(progress - 1)), 0);
}

void FakeWindow::typeWrong(int player) {
    const int progress = player == 1 ? form.leftProgress : form.rightProgress;
    form.Picture1_KeyUp(keyFor(player, (form.sequence.at(progress - 1) + 1) % 4), 0);
}

void FakeWindow::tick(int player) {
    if (player == 1 && Timer1.isEnabled()) {
        form.Timer1_Timer();
    } else if (player == 2 && Timer2.isEnabled()) {
        form.Timer2_Timer();
    }
}

}  // namespace klobbet::testing
