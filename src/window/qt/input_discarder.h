#pragma once

#include <QObject>

namespace klobbet {

// Drops the user input the window system kept queued while a handler held
// the event thread: keys, clicks and wheel turns are swallowed, everything
// else (repaints, timers, close requests) goes on as usual.
class InputDiscarder : public QObject {
  public:
    void discardQueued();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool discarding_ = false;
};

}  // namespace klobbet
