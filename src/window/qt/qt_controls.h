#pragma once

// The Qt widgets behind the game's controls.

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "window/platform.h"
#include "window/qt/event_gate.h"

namespace klobbet {

// The pixel size a font of these points has on a 96-dpi screen. The label's
// digits keep it whatever the desktop's font resolution, since the label and
// the controls around it keep their pixel sizes.
constexpr int pixelsAt96Dpi(int points) {
    return (points * 96 + 36) / 72;
}

// Shows a surface's backing image, inside an optional one-pixel border,
// pixel for pixel (whole blocks of pixels on a scaled screen).
class SurfaceWidget : public QWidget {
  public:
    SurfaceWidget(QWidget* parent, const QRect& geometry, bool bordered, const QImage& image);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool bordered_;
    const QImage& image_;
};

class QtSurface : public Surface {
  public:
    // With a gate, what a handler draws reaches the screen only at Refresh
    // or when the handler returns: the widget takes no updates meanwhile, so
    // a wait that lets the event loop run (the focus moving to the field,
    // say) shows the field as it was before the handler began. Only the
    // window system's own repaints (the field uncovered) may show the
    // drawing earlier. Without a gate, drawings show at the next repaint.
    QtSurface(QWidget* parent, const QRect& geometry, bool bordered, const QFont& font,
              EventGate* gate = nullptr);

    void Refresh() override;
    void setVisible(bool visible) override;
    bool isVisible() const override;
    SurfaceWidget* widget() { return widget_; }

  protected:
    void drawn() override;

  private:
    void showDrawn();

    SurfaceWidget* widget_;
    const EventGate* gate_;
    bool held_ = false;
};

class QtLabel : public Label {
  public:
    QtLabel(QWidget* parent, const QRect& geometry, const QFont& font);

    void setCaption(const QString& caption) override;
    QString caption() const override;
    void setVisible(bool visible) override;
    bool isVisible() const override;
    void setFontSize(int points) override;
    int fontSize() const override;
    void setAlignment(int alignment) override;
    int alignment() const override;
    void Refresh() override;
    QLabel* widget() { return label_; }

  private:
    QLabel* label_;
    int alignment_ = 2;
    int fontPoints_;
};

class WidgetSwitch : public Switch {
  public:
    explicit WidgetSwitch(QWidget* widget) : widget_(widget) {}
    void setEnabled(bool enabled) override { widget_->setEnabled(enabled); }
    bool isEnabled() const override { return widget_->isEnabled(); }

  private:
    QWidget* widget_;
};

// The game's one top-level menu. Disabling it disables the whole menu bar,
// so Alt or Alt+P during a match cannot put the bar into keyboard
// navigation and swallow the players' keys.
class TopMenuSwitch : public Switch {
  public:
    TopMenuSwitch(QWidget* menuBar, QAction* menu) : menuBar_(menuBar), menu_(menu) {}
    void setEnabled(bool enabled) override {
        menu_->setEnabled(enabled);
        menuBar_->setEnabled(enabled);
    }
    bool isEnabled() const override { return menu_->isEnabled(); }

  private:
    QWidget* menuBar_;
    QAction* menu_;
};

class ActionMenuItem : public MenuItem {
  public:
    explicit ActionMenuItem(QAction* action) : action_(action) {}
    void setChecked(bool checked) override { action_->setChecked(checked); }
    bool isChecked() const override { return action_->isChecked(); }

  private:
    QAction* action_;
};

// A game timer: ticks every interval from the moment it is enabled. At most
// one tick waits at a time, and a tick that waited while the timer was
// disabled is dropped, as a classic desktop timer does.
class QtTimer : public Timer {
  public:
    QtTimer(QObject* parent, int intervalMs, EventGate& gate, std::function<void()> handler);

    void setEnabled(bool enabled) override;
    bool isEnabled() const override;

  private:
    QTimer* timer_;
    EventGate& gate_;
    std::function<void()> handler_;
    bool tickWaiting_ = false;
};

}  // namespace klobbet
