#include "window/qt/qt_services.h"

#include <QTime>
#include <utility>

#include "window/bitmaps.h"
#include "window/qt/message_box.h"

namespace klobbet {

QtServices::QtServices(std::function<QWidget*()> boxParent, std::function<void()> end)
    : boxParent_(std::move(boxParent)), end_(std::move(end)) {
    clock_.start();
}

int QtServices::MsgBox(const QString& prompt, int style, const QString& title) {
    return showMessageBox(boxParent_(), prompt, style, title);
}

Picture QtServices::LoadPicture(int number) {
    loadingBegun_ = true;
    // Pictures never change once decoded, so the one decoded ahead serves.
    if (auto ahead = decodedAhead_.extract(number)) {
        return std::move(ahead.mapped());
    }
    return loadBitmapResource(number);
}

void QtServices::decodePicturesAhead() {
    if (loadingBegun_) {
        return;
    }
    for (int number = kFirstBitmap; number <= kLastBitmap; ++number) {
        try {
            decodedAhead_.emplace(number, loadBitmapResource(number));
        } catch (const BitmapLoadError&) {
            // Its own load decodes it again and reports the failure then.
        }
    }
}

double QtServices::clockSeconds() {
    return static_cast<double>(clock_.nsecsElapsed()) * 1e-9;
}

float QtServices::timeOfDay() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0F;
}

void QtServices::pauseBriefly(double left) {
    // The window manager's pings, uncovered parts of the window and the
    // repaints get answered as they come; keys and clicks stay queued.
    idleWait_.sleepAtMost(left);
}

void QtServices::Randomize(float seed) {
    random_.reseed(seed);
}

double QtServices::Rnd() {
    return random_.next();
}

void QtServices::discardQueuedInput() {
    discarder_.discardQueued();
}

void QtServices::End() {
    end_();
}

}  // namespace klobbet
