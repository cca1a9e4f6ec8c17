#include "window/qt/qt_controls.h"

#include <QPainter>
#include <QRegion>
#include <utility>

namespace klobbet {

namespace {

int borderWidth(bool bordered) {
    return bordered ? 1 : 0;
}

// The countdown label. Its text stands at the top, as in any label, but a
// big digit reaches below the label's last visible row, where the "Jouer"
// button covers it: the digit moves up just enough to be seen whole. The
// ink, not the advance, is centred, so every digit sits in the middle.
class DigitLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        const QString caption = text();
        if (caption.isEmpty()) {
            return;
        }
        const QFontMetrics metrics = fontMetrics();
        // A pixel around the outline, for the edges that antialiasing adds.
        const QRect ink = metrics.tightBoundingRect(caption).adjusted(-1, -1, 1, 1);
        int x = 0;
        if (alignment() & Qt::AlignHCenter) {
            x = (width() - ink.width()) / 2 - ink.left();
        } else if (alignment() & Qt::AlignRight) {
            x = width() - metrics.horizontalAdvance(caption);
        }
        int baseline = metrics.ascent();
        const QRegion seen = visibleRegion().isEmpty() ? QRegion(rect()) : visibleRegion();
        while (baseline + ink.top() > 0 &&
               !(QRegion(ink.translated(x, baseline)) - seen).isEmpty()) {
            --baseline;
        }
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(x, baseline, caption);
    }
};

}  // namespace

SurfaceWidget::SurfaceWidget(QWidget* parent, const QRect& geometry, bool bordered,
                             const QImage& image)
    : QWidget(parent), bordered_(bordered), image_(image) {
    setGeometry(geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (bordered_) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }
    const int border = borderWidth(bordered_);
    painter.drawImage(QPoint(border, border), image_);
}

QtSurface::QtSurface(QWidget* parent, const QRect& geometry, bool bordered, const QFont& font,
                     EventGate* gate)
    : Surface(geometry.width() - 2 * borderWidth(bordered),
              geometry.height() - 2 * borderWidth(bordered), font),
      widget_(new SurfaceWidget(parent, geometry, bordered, image())),
      gate_(gate) {
    if (gate != nullptr) {
        gate->afterEachHandler([this] { showDrawn(); });
    }
}

void QtSurface::showDrawn() {
    if (held_) {
        held_ = false;
        widget_->setUpdatesEnabled(true);  // which schedules the repaint
    }
}

void QtSurface::Refresh() {
    showDrawn();
    widget_->repaint();
}

void QtSurface::setVisible(bool visible) {
    widget_->setVisible(visible);
}

bool QtSurface::isVisible() const {
    return !widget_->isHidden();
}

void QtSurface::drawn() {
    if (gate_ != nullptr && gate_->isRunning()) {
        if (!held_) {
            held_ = true;
            widget_->setUpdatesEnabled(false);
        }
        return;
    }
    widget_->update();
}

QtLabel::QtLabel(QWidget* parent, const QRect& geometry, const QFont& font)
    : label_(new DigitLabel(parent)),
      fontPoints_(font.pixelSize() > 0 ? font.pixelSize() * 72 / 96 : font.pointSize()) {
    label_->setGeometry(geometry);
    label_->setFont(font);
    label_->setAutoFillBackground(true);
    label_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void QtLabel::setCaption(const QString& caption) {
    label_->setText(caption);
}

QString QtLabel::caption() const {
    return label_->text();
}

void QtLabel::setVisible(bool visible) {
    label_->setVisible(visible);
}

bool QtLabel::isVisible() const {
    return !label_->isHidden();
}

void QtLabel::setFontSize(int points) {
    QFont font = label_->font();
    font.setPixelSize(pixelsAt96Dpi(points));
    label_->setFont(font);
    fontPoints_ = points;
}

int QtLabel::fontSize() const {
    return fontPoints_;
}

void QtLabel::setAlignment(int alignment) {
    alignment_ = alignment;
    const Qt::Alignment horizontal = alignment == 1   ? Qt::AlignRight
                                     : alignment == 2 ? Qt::AlignHCenter
                                                      : Qt::AlignLeft;
    label_->setAlignment(horizontal | Qt::AlignTop);
}

int QtLabel::alignment() const {
    return alignment_;
}

void QtLabel::Refresh() {
    label_->repaint();
}

QtTimer::QtTimer(QObject* parent, int intervalMs, EventGate& gate, std::function<void()> handler)
    : timer_(new QTimer(parent)), gate_(gate), handler_(std::move(handler)) {
    timer_->setInterval(intervalMs);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
        if (tickWaiting_) {
            return;
        }
        tickWaiting_ = true;
        gate_.deliver(EventGate::Kind::Deferred, [this] {
            tickWaiting_ = false;
            if (timer_->isActive()) {
                handler_();
            }
        });
    });
}

void QtTimer::setEnabled(bool enabled) {
    if (enabled) {
        if (!timer_->isActive()) {
            timer_->start();
        }
    } else {
        timer_->stop();
    }
}

bool QtTimer::isEnabled() const {
    return timer_->isActive();
}

}  // namespace klobbet
