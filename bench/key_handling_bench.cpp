// What one key costs the game: the handler and the gauge it redraws, on the
// real backing images with the real bitmaps. The window-system double keeps
// the screen out of it, so this is the game's own work per key.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>

#include "support/fake_window.h"
#include "support/form1_probe.h"

namespace {

using klobbet::Form1;
using klobbet::Form1Probe;
using klobbet::testing::FakeWindow;
using klobbet::testing::keyFor;

// A match under way, its sequence drawn by the game's own generator. The
// double's clock runs the countdown through at once.
std::unique_ptr<FakeWindow> matchUnderWay() {
    auto window = std::make_unique<FakeWindow>();
    window->form.Command1_Click();
    return window;
}

// Walks the left player up the whole tower and back down to the first
// position before the last key, so every gauge height is drawn and the
// match never ends.
void nextPosition(Form1& form) {
    if (form.leftProgress >= form.sequenceLength) {
        form.leftProgress = 1;
    }
}

std::int16_t correctKey(const Form1& form) {
    return keyFor(1, form.sequence.at(static_cast<std::size_t>(form.leftProgress - 1)));
}

std::int16_t wrongKey(const Form1& form) {
    return keyFor(1, (form.sequence.at(static_cast<std::size_t>(form.leftProgress - 1)) + 1) % 4);
}

void BM_CorrectKey(benchmark::State& state) {
    auto window = matchUnderWay();
    Form1& form = window->form;
    for (auto _ : state) {
        nextPosition(form);
        form.Picture1_KeyUp(correctKey(form), 0);
    }
    benchmark::DoNotOptimize(form.Picture1.image().constBits());
}
BENCHMARK(BM_CorrectKey)->Unit(benchmark::kMicrosecond);

// The stun is lifted right away (two stores and the double's timer) so the
// next wrong key is handled again rather than ignored.
void BM_WrongKey(benchmark::State& state) {
    auto window = matchUnderWay();
    Form1& form = window->form;
    int position = 0;
    for (auto _ : state) {
        form.leftProgress = static_cast<std::int16_t>(1 + position++ % (form.sequenceLength - 1));
        form.Picture1_KeyUp(wrongKey(form), 0);
        form.leftStunned = false;
        form.Timer1.setEnabled(false);
    }
    benchmark::DoNotOptimize(form.Picture1.image().constBits());
}
BENCHMARK(BM_WrongKey)->Unit(benchmark::kMicrosecond);

// One gauge drawn lit (black lines, the candle) or wiped (white), at every
// height in turn.
void BM_CandleGauge(benchmark::State& state) {
    auto window = matchUnderWay();
    Form1& form = window->form;
    const double colour = state.range(0) != 0 ? klobbet::kWhite : klobbet::kBlack;
    int position = 0;
    for (auto _ : state) {
        form.leftProgress = static_cast<std::int16_t>(1 + position++ % form.sequenceLength);
        Form1Probe::drawCandleGauge(form, 1, colour);
    }
    benchmark::DoNotOptimize(form.Picture1.image().constBits());
}
BENCHMARK(BM_CandleGauge)->ArgName("wiped")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // Fonts and images need an application object, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
