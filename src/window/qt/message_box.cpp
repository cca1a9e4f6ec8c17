#include "window/qt/message_box.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>

#include "window/platform.h"
#include "window/qt/desktop_frame.h"
#include "window/qt/last_frame.h"
#include "window/qt/window_placement.h"

namespace klobbet {

namespace {

// Ctrl+C copies the whole box, title, text and buttons, as classic desktop
// message boxes do, so a player can keep a taunt. The box closes only once
// its last frame is shown (see last_frame.h).
class GameMessageBox : public QMessageBox {
  public:
    explicit GameMessageBox(QWidget* parent) : QMessageBox(parent) {
        // For a button, Qt closes the box right after this signal.
        connect(this, &QMessageBox::buttonClicked, this, [this] { hideAfterLastFrame(*this); });
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(copiedText(*this));
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void showEvent(QShowEvent* event) override {
        // The box has its final size only once QMessageBox has laid it out
        // here, after QDialog placed it by a guessed size and frame.
        QMessageBox::showEvent(event);
        if (parentWidget() == nullptr) {
            centreOnScreen(*this);
        } else if (parentWidget()->isVisible()) {
            // Qt centres a box over its window by a guessed frame and size.
            centreOver(*this, outerFrame(*parentWidget()->window()));
        }
        if (!sizeKept_) {
            sizeKept_ = true;
            refuseSizeStates(*this);
        }
    }

    void done(int result) override {
        hideAfterLastFrame(*this);
        QMessageBox::done(result);
    }

    void hideEvent(QHideEvent* event) override {
        // The start-up message's monitor is where the window opens.
        if (parentWidget() == nullptr) {
            rememberScreenOf(*this);
        }
        QMessageBox::hideEvent(event);
    }

  private:
    bool sizeKept_ = false;
};

}  // namespace

QString copiedText(const QMessageBox& box) {
    const QString rule = QStringLiteral("---------------------------\n");
    QStringList buttons;
    for (const QAbstractButton* button : box.buttons()) {
        buttons << button->text();
    }
    return rule + box.windowTitle() + "\n" + rule + box.text() + "\n" + rule +
           buttons.join(QStringLiteral("   ")) + "\n" + rule;
}

MessageBoxStyle decodeStyle(int style) {
    MessageBoxStyle decoded;
    decoded.yesNo = (style & 0x0F) == msgbox::kYesNo;
    decoded.defaultButton = (style & 0x300) == msgbox::kDefaultButton2 ? 1 : 0;
    switch (style & 0x70) {
        case 16:
            decoded.icon = QMessageBox::Critical;
            break;
        case 32:
            decoded.icon = QMessageBox::Question;
            break;
        case msgbox::kExclamation:
            decoded.icon = QMessageBox::Warning;
            break;
        case msgbox::kInformation:
            decoded.icon = QMessageBox::Information;
            break;
        default:
            decoded.icon = QMessageBox::NoIcon;
            break;
    }
    return decoded;
}

QMessageBox* buildMessageBox(QWidget* parent, const QString& prompt, int style,
                             const QString& title) {
    const MessageBoxStyle decoded = decodeStyle(style);
    auto* box = new GameMessageBox(parent);
    if (parent == nullptr) {
        // A dialog with no window to belong to would be named transient for
        // Qt's hidden group leader, which window managers reject: the
        // start-up message is a window of its own, with the game's icon.
        box->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
    box->setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    box->setWindowTitle(title);
    box->setText(prompt);
    box->setIcon(decoded.icon);
    if (decoded.yesNo) {
        QPushButton* yes = box->addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
        QPushButton* no = box->addButton(QStringLiteral("Non"), QMessageBox::NoRole);
        // "Oui" then "Non", as the question is asked, whatever order the
        // desktop's theme gives (GTK's puts No first).
        if (auto* buttons = box->findChild<QDialogButtonBox*>()) {
            buttons->setStyleSheet(QStringLiteral("QDialogButtonBox { button-layout: 0; }"));
        }
        box->setDefaultButton(decoded.defaultButton == 1 ? no : yes);
        // Esc and the close box answer No, never Yes.
        box->setEscapeButton(no);
    } else {
        QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
    }
    // QMessageBox sizes itself from its layout, so a spacer as wide as the
    // title is what keeps the box from shrinking below it.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(widthForTitle(title, box->font()), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    return box;
}

int answerOf(const QMessageBox& box) {
    const auto* clicked = box.clickedButton();
    if (clicked == nullptr) {
        return box.buttons().size() > 1 ? msgbox::kNo : msgbox::kOk;
    }
    switch (box.buttonRole(const_cast<QAbstractButton*>(clicked))) {
        case QMessageBox::YesRole:
            return msgbox::kYes;
        case QMessageBox::NoRole:
            return msgbox::kNo;
        default:
            return msgbox::kOk;
    }
}

int widthForTitle(const QString& title, const QFont& boxFont) {
    // Window managers draw titles in a bold font, up to 11 points by default,
    // centred between the frame's buttons; allow for buttons on both sides.
    QFont titleFont = boxFont;
    titleFont.setBold(true);
    titleFont.setPointSizeF(std::max(titleFont.pointSizeF(), 11.0));
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(title) + 6 * metrics.height();
}

}  // namespace klobbet
