#include "window/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "window/qt/close_requests.h"
#include "window/qt/desktop_frame.h"
#include "window/qt/game_fonts.h"
#include "window/qt/key_codes.h"
#include "window/qt/last_frame.h"
#include "window/qt/menu_check_style.h"
#include "window/qt/menu_escape.h"
#include "window/qt/native_frame.h"
#include "window/qt/skip_taskbar.h"
#include "window/qt/window_placement.h"

namespace klobbet {

namespace {

constexpr int kClientWidth = 720;
constexpr int kClientHeight = 593;
constexpr int kTimerInterval = 2000;

void paintWith(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QAction* checkItem(QMenu* menu, const QString& caption, bool checked) {
    if (dynamic_cast<MenuCheckStyle*>(menu->style()) == nullptr) {
        auto* style = new MenuCheckStyle(QApplication::style()->name());
        style->setParent(menu);
        menu->setStyle(style);
    }
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

}  // namespace

MainWindow::MainWindow()
    : gate_([] { QCoreApplication::processEvents(); }),
      services_([this]() -> QWidget* { return isVisible() ? this : nullptr; },
                [this] { endProgram(); }) {
    setWindowTitle(QStringLiteral("Klobbet"));
    // The 32 x 32 icon, with the drawings made for smaller places, which a
    // title bar picks instead of shrinking the 32 into a smudge.
    QIcon icon(QStringLiteral(":/icon.png"));
    icon.addFile(QStringLiteral(":/icons/16.png"));
    icon.addFile(QStringLiteral(":/icons/24.png"));
    setWindowIcon(icon);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    central_ = new QWidget(this);
    central_->setFixedSize(kClientWidth, kClientHeight);
    const QColor buttonFace = central_->palette().color(QPalette::Button);
    paintWith(central_, buttonFace);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(central_);

    button_ = new QPushButton(QStringLiteral("Jouer"), central_);
    button_->setGeometry(288, 528, 113, 57);
    button_->setFocusPolicy(Qt::StrongFocus);

    const QFont font = legendFace();
    Picture1_ = std::make_unique<QtSurface>(central_, QRect(32, 16, 657, 425), true, font, &gate_);
    Picture2_ =
        std::make_unique<QtSurface>(central_, QRect(280, 448, 121, 73), false, font, &gate_);
    Picture3_ = std::make_unique<QtSurface>(central_, QRect(96, 448, 113, 105), true, font);
    Picture4_ = std::make_unique<QtSurface>(central_, QRect(512, 448, 113, 105), true, font);
    Picture1_->widget()->setFocusPolicy(Qt::StrongFocus);
    Picture2_->setVisible(false);
    for (QtSurface* box : {Picture3_.get(), Picture4_.get()}) {
        box->widget()->setEnabled(false);
    }

    Label3_ = std::make_unique<QtLabel>(central_, QRect(296, 440, 113, 89), countdownFont());
    paintWith(Label3_->widget(), buttonFace);
    // A label is drawn beneath the other controls, which cover its edges.
    Label3_->widget()->lower();

    // Disabling "Jouer" hands the focus to the playing field by tab order.
    setTabOrder(button_, Picture1_->widget());

    Command1_ = std::make_unique<WidgetSwitch>(button_);
    buildMenus();
    Timer1_ =
        std::make_unique<QtTimer>(this, kTimerInterval, gate_, [this] { form_->Timer1_Timer(); });
    Timer2_ =
        std::make_unique<QtTimer>(this, kTimerInterval, gate_, [this] { form_->Timer2_Timer(); });

    form_ = std::make_unique<Form1>(
        Form1Controls{*Picture1_, *Picture2_, *Picture3_, *Picture4_, *Label3_, *Command1_,
                      *mnupartie_, *mnulent_, *mnumoyen_, *mnulong_, *mnufacile_, *mnudifficile_,
                      *mnudiabo1_, *mnufacile2_, *mnudifficile2_, *mnudiabo2_, *Timer1_, *Timer2_},
        services_);

    connect(button_, &QPushButton::clicked, this, [this] { onInput(&Form1::Command1_Click); });
    new KeyReleaseFilter(Picture1_->widget(), [this](std::int16_t keyCode, std::int16_t shift) {
        gate_.deliver(EventGate::Kind::Input,
                      [this, keyCode, shift] { form_->Picture1_KeyUp(keyCode, shift); });
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    gameMenu_ = bar->addMenu(QStringLiteral("&Partie"));
    mnupartie_ = std::make_unique<TopMenuSwitch>(bar, gameMenu_->menuAction());

    QMenu* length = gameMenu_->addMenu(QStringLiteral("jeu"));
    QAction* lent = checkItem(length, QStringLiteral("court"), false);
    QAction* moyen = checkItem(length, QStringLiteral("moyen"), true);
    QAction* longer = checkItem(length, QStringLiteral("long"), false);

    QMenu* levels = gameMenu_->addMenu(QStringLiteral("difficulté"));
    QMenu* left = levels->addMenu(QStringLiteral("Joueur de gauche"));
    QAction* facile = checkItem(left, QStringLiteral("facile"), false);
    QAction* difficile = checkItem(left, QStringLiteral("difficile"), true);
    QAction* diabo1 = checkItem(left, QStringLiteral("diabolique"), false);
    QMenu* right = levels->addMenu(QStringLiteral("Joueur de droite"));
    QAction* facile2 = checkItem(right, QStringLiteral("facile"), false);
    QAction* difficile2 = checkItem(right, QStringLiteral("difficile"), true);
    QAction* diabo2 = checkItem(right, QStringLiteral("diabolique"), false);

    QAction* quit = gameMenu_->addAction(QStringLiteral("Quitter"));
    new MenuEscape(bar);

    const std::pair<QAction*, void (Form1::*)()> routes[] = {
        {lent, &Form1::mnulent_Click},           {moyen, &Form1::mnumoyen_Click},
        {longer, &Form1::mnulong_Click},         {facile, &Form1::mnufacile_Click},
        {difficile, &Form1::mnudifficile_Click}, {diabo1, &Form1::mnudiabo1_Click},
        {facile2, &Form1::mnufacile2_Click},     {difficile2, &Form1::mnudifficile2_Click},
        {diabo2, &Form1::mnudiabo2_Click},       {quit, &Form1::mnuquit_Click},
    };
    for (const auto& [action, handler] : routes) {
        connect(action, &QAction::triggered, this, [this, handler = handler] { onInput(handler); });
    }

    mnulent_ = std::make_unique<ActionMenuItem>(lent);
    mnumoyen_ = std::make_unique<ActionMenuItem>(moyen);
    mnulong_ = std::make_unique<ActionMenuItem>(longer);
    mnufacile_ = std::make_unique<ActionMenuItem>(facile);
    mnudifficile_ = std::make_unique<ActionMenuItem>(difficile);
    mnudiabo1_ = std::make_unique<ActionMenuItem>(diabo1);
    mnufacile2_ = std::make_unique<ActionMenuItem>(facile2);
    mnudifficile2_ = std::make_unique<ActionMenuItem>(difficile2);
    mnudiabo2_ = std::make_unique<ActionMenuItem>(diabo2);
}

void MainWindow::onInput(void (Form1::*handler)()) {
    gate_.deliver(EventGate::Kind::Input, [this, handler] { (form_.get()->*handler)(); });
}

void MainWindow::load() {
    // Lay out the window, create its native window and decode the bitmaps
    // while the players read the start-up message, so that the window
    // appears at once when they close it.
    QTimer::singleShot(50, this, [this] {
        adjustSize();
        winId();
        services_.decodePicturesAhead();
    });
    gate_.deliver(EventGate::Kind::Input, [this] { form_->Form_Load(); });
}

void MainWindow::showCentred() {
    adjustSize();
    prepareNativeFrame(*this);
    refuseSizeStates(*this);
    centreOnScreen(*this);
    show();
    button_->setFocus();
    // Some window managers give new windows no keyboard focus by themselves.
    activateWindow();
    skipTaskbar(*this);
    closeRequests_ = std::make_unique<CloseRequestFilter>(*this, [this] { requestClose(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The game decides: the close goes on only through its answer.
    event->ignore();
    requestClose();
}

void MainWindow::requestClose() {
    gate_.deliver(EventGate::Kind::Deferred, [this] {
        int cancel = 0;
        form_->Form_QueryUnload(cancel, 0);
        if (cancel == 0) {
            endProgram();
        }
    });
}

void MainWindow::endProgram() {
    if (gate_.isClosed()) {
        return;
    }
    gate_.close();
    hideAfterLastFrame(*this);
    QCoreApplication::exit(0);
}

}  // namespace klobbet
