#pragma once

#include <QElapsedTimer>
#include <functional>
#include <map>

#include "window/platform.h"
#include "window/qt/idle_wait.h"
#include "window/qt/input_discarder.h"
#include "window/random.h"

class QWidget;

namespace klobbet {

class QtServices : public Services {
  public:
    // `end` makes the program end; `boxParent` gives the window the message
    // boxes belong to (none while it is not shown yet).
    QtServices(std::function<QWidget*()> boxParent, std::function<void()> end);

    int MsgBox(const QString& prompt, int style, const QString& title) override;
    Picture LoadPicture(int number) override;
    double clockSeconds() override;
    float timeOfDay() override;
    void pauseBriefly(double left) override;
    void Randomize(float seed) override;
    double Rnd() override;
    void discardQueuedInput() override;
    void End() override;

    // Decodes every bitmap ahead of its first load, while the players read
    // the start-up message; a bitmap that fails is left to fail at its load.
    // Does nothing once the loading has begun.
    void decodePicturesAhead();

  private:
    std::function<QWidget*()> boxParent_;
    std::function<void()> end_;
    QElapsedTimer clock_;
    InputDiscarder discarder_;
    IdleWait idleWait_;
    UniformRandom random_;
    std::map<int, Picture> decodedAhead_;
    bool loadingBegun_ = false;
};

}  // namespace klobbet
