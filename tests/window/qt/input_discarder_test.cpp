#include "window/qt/input_discarder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace klobbet {
namespace {

struct CountingWidget : QWidget {
    int keys = 0;
    int other = 0;
    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) {
            ++keys;
        } else if (event->type() == QEvent::User) {
            ++other;
        }
        return QWidget::event(event);
    }
};

TEST(InputDiscarder, DropsQueuedKeysAndKeepsEverythingElse) {
    CountingWidget widget;
    for (int i = 0; i < 300; ++i) {
        QCoreApplication::postEvent(&widget,
                                    new QKeyEvent(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier));
    }
    QCoreApplication::postEvent(&widget, new QEvent(QEvent::User));
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    InputDiscarder discarder;
    discarder.discardQueued();
    EXPECT_EQ(widget.keys, 0);
    EXPECT_EQ(widget.other, 1);
    EXPECT_TRUE(timerRan);

    // Afterwards keys arrive again.
    QCoreApplication::postEvent(&widget,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier));
    QCoreApplication::processEvents();
    EXPECT_EQ(widget.keys, 1);
}

}  // namespace
}  // namespace klobbet
