#include "window/qt/qt_services.h"

#include <QCoreApplication>
#include <QTime>
#include <chrono>
#include <thread>
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
    return loadBitmapResource(number);
}

double QtServices::clockSeconds() {
    return static_cast<double>(clock_.nsecsElapsed()) * 1e-9;
}

float QtServices::timeOfDay() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0F;
}

void QtServices::pauseBriefly() {
    // The window manager's pings, uncovered parts of the window and the
    // repaints get answered; keys and clicks stay queued for later.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void QtServices::Randomize(float seed) {
    random_.reseed(seed);
}

double QtServices::Rnd() {
    return random_.next();
}

void QtServices::End() {
    end_();
}

}  // namespace klobbet
