#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace klobbet::testing {

// Answers the next modal message boxes in turn, pressing the button with
// each text (an empty text presses Esc). `inspect` sees every box first.
inline void answerBoxes(QStringList buttonTexts, std::function<void(QMessageBox&)> inspect = {}) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    auto remaining = std::make_shared<QStringList>(std::move(buttonTexts));
    QObject::connect(poll, &QTimer::timeout, poll, [poll, remaining, inspect] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) {
            return;
        }
        box->setProperty("answered", true);
        const QString text = remaining->takeFirst();
        if (remaining->isEmpty()) {
            poll->stop();
            poll->deleteLater();
        }
        if (inspect) {
            inspect(*box);
        }
        if (text.isEmpty()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &escape);
            return;
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == text) {
                button->click();
                return;
            }
        }
    });
    poll->start();
}

inline void answerNextBox(const QString& buttonText,
                          std::function<void(QMessageBox&)> inspect = {}) {
    answerBoxes({buttonText}, std::move(inspect));
}

}  // namespace klobbet::testing
