#pragma once

#include <QWidget>
#include <memory>

#include "window/form1.h"
#include "window/qt/event_gate.h"
#include "window/qt/qt_controls.h"
#include "window/qt/qt_services.h"

class QMenu;
class QPushButton;

namespace klobbet {

class CloseRequestFilter;

// The real window: builds the widget tree at its exact geometry and routes
// every Qt event the game reacts to into one handler of Form1, through the
// event gate.
class MainWindow : public QWidget {
  public:
    MainWindow();
    ~MainWindow() override;

    // Runs Form_Load: the start-up message and the bitmaps. Throws
    // BitmapLoadError when a bitmap is missing.
    void load();
    // Shows the window centred on its screen, out of the taskbar.
    void showCentred();

    Form1& form() { return *form_; }
    EventGate& gate() { return gate_; }
    QWidget* field() { return Picture1_->widget(); }
    QWidget* centralArea() { return central_; }
    QPushButton* playButton() { return button_; }
    QMenu* gameMenu() { return gameMenu_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void endProgram();
    void onInput(void (Form1::*handler)());
    // Asks the quit question once the running handler, if any, returns.
    void requestClose();

    EventGate gate_;
    QtServices services_;
    QWidget* central_ = nullptr;
    QPushButton* button_ = nullptr;
    QMenu* gameMenu_ = nullptr;

    std::unique_ptr<QtSurface> Picture1_, Picture2_, Picture3_, Picture4_;
    std::unique_ptr<QtLabel> Label3_;
    std::unique_ptr<WidgetSwitch> Command1_;
    std::unique_ptr<TopMenuSwitch> mnupartie_;
    std::unique_ptr<ActionMenuItem> mnulent_, mnumoyen_, mnulong_, mnufacile_, mnudifficile_,
        mnudiabo1_, mnufacile2_, mnudifficile2_, mnudiabo2_;
    std::unique_ptr<QtTimer> Timer1_, Timer2_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<CloseRequestFilter> closeRequests_;
};

}  // namespace klobbet
