#pragma once

// What the game needs from a window system, in the game's own vocabulary.
// The Qt layer implements it for the real window; the tests have a double.

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

#include "window/canvas.h"

namespace klobbet {

// A loaded bitmap. Tables that share a picture share the same object.
using Picture = std::shared_ptr<const QImage>;

// A picture surface: drawing goes to its backing image, the screen only shows it.
class Surface {
  public:
    Surface(int width, int height, const QFont& font) : canvas_(width, height, font) {}
    virtual ~Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    void Cls();
    void PaintPicture(const Picture& picture, int x, int y);
    void Line(int x1, int y1, int x2, int y2, Colour colour);
    void LineFilledBox(int x1, int y1, int x2, int y2, Colour colour);
    void Print(const QString& text);

    int CurrentX = 0;
    int CurrentY = 0;

    // Puts everything drawn so far on the screen now, even from a busy handler.
    virtual void Refresh() = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;

    const QImage& image() const { return canvas_.image(); }
    int clippedOperations() const { return canvas_.clippedOperations(); }

  protected:
    // Called after every drawing operation, so the screen can catch up once
    // the running handler returns.
    virtual void drawn() {}

  private:
    Canvas canvas_;
};

class Label {
  public:
    virtual ~Label() = default;
    virtual void setCaption(const QString& caption) = 0;
    virtual QString caption() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    virtual void setFontSize(int points) = 0;
    virtual int fontSize() const = 0;
    // 0 left, 1 right, 2 centred.
    virtual void setAlignment(int alignment) = 0;
    virtual int alignment() const = 0;
    virtual void Refresh() = 0;
};

// A control the game only enables and disables: the button, the top menu.
class Switch {
  public:
    virtual ~Switch() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

class MenuItem {
  public:
    virtual ~MenuItem() = default;
    virtual void setChecked(bool checked) = 0;
    virtual bool isChecked() const = 0;
};

// While enabled, ticks every interval counted from the moment it was enabled.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

// Message box style values and answers, as the game writes them.
namespace msgbox {
inline constexpr int kOkOnly = 0;
inline constexpr int kYesNo = 4;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kOk = 1;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace msgbox

class Services {
  public:
    virtual ~Services() = default;
    // Modal box; returns the pressed button's value (1 OK, 6 Yes, 7 No).
    virtual int MsgBox(const QString& prompt, int style, const QString& title) = 0;
    // The program's bitmap with this number; throws BitmapLoadError.
    virtual Picture LoadPicture(int number) = 0;
    // Seconds on a clock that never jumps back (no restart at midnight).
    virtual double clockSeconds() = 0;
    // Seconds since midnight, only used to seed the generator.
    virtual float timeOfDay() = 0;
    // Called between two clock readings of a wait whose deadline is `left`
    // seconds away: sleeps until the window system needs an answer or the
    // deadline comes, never past it, and handles no input.
    virtual void pauseBriefly(double left) = 0;
    virtual void Randomize(float seed) = 0;
    // Uniform in [0, 1).
    virtual double Rnd() = 0;
    // Forgets the keys and clicks the players made while a handler held the
    // window, without delivering them.
    virtual void discardQueuedInput() = 0;
    // Ends the program at once: no further handler runs.
    virtual void End() = 0;
};

}  // namespace klobbet
