#include "window/qt/key_codes.h"
#include "window/qt/linux/layout_keys.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <vector>

namespace klobbet {
namespace {

TEST(KeyCodes, GameKeysHaveTheirVirtualKeyCodes) {
    EXPECT_EQ(virtualKeyCode(Qt::Key_Escape), 27);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Left), 37);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Up), 38);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Right), 39);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Down), 40);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Q), 81);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Z), 90);
    EXPECT_EQ(virtualKeyCode(Qt::Key_D), 68);
    EXPECT_EQ(virtualKeyCode(Qt::Key_S), 83);
    EXPECT_EQ(virtualKeyCode(Qt::Key_5), 53);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Return), 13);
    EXPECT_EQ(virtualKeyCode(Qt::Key_F1), 112);
    // Keys with no classic code are not passed on.
    EXPECT_EQ(virtualKeyCode(Qt::Key_Eacute), 0);
    EXPECT_EQ(virtualKeyCode(Qt::Key_unknown), 0);
}

LetterKeys otherScript() {
    return LetterKeys::OtherScript;
}
LetterKeys latin() {
    return LetterKeys::Latin;
}
LetterKeys unknown() {
    return LetterKeys::Unknown;
}

TEST(KeyCodes, LettersOfOtherScriptsPlayByTheirUsPlaces) {
    // Russian: Й at Q's place (keycode 24), Я at Z (52), В at D (40), Ы at S (39).
    EXPECT_EQ(gameKeyCode(0x0419, 24, otherScript), 81);
    EXPECT_EQ(gameKeyCode(0x042F, 52, otherScript), 90);
    EXPECT_EQ(gameKeyCode(0x0412, 40, otherScript), 68);
    EXPECT_EQ(gameKeyCode(0x042B, 39, otherScript), 83);
    // Whatever else such a layout gives there: Greek ";" at Q's place, a
    // digit, which has a code of its own.
    EXPECT_EQ(gameKeyCode(Qt::Key_Semicolon, 24, otherScript), 81);
    EXPECT_EQ(gameKeyCode(Qt::Key_3, 40, otherScript), 68);
    // Keys off the letter rows keep their codes.
    EXPECT_EQ(gameKeyCode(0x0416, 47, otherScript), 0);  // Ж, where US has ";"
}

TEST(KeyCodes, LatinLayoutsKeepTheirLetters) {
    // AZERTY's A lies at Q's place; Dvorak has "'" there and ";" at Z's.
    EXPECT_EQ(gameKeyCode(Qt::Key_A, 24, latin), 65);
    EXPECT_EQ(gameKeyCode(Qt::Key_Apostrophe, 24, latin), 0);
    EXPECT_EQ(gameKeyCode(Qt::Key_Semicolon, 52, latin), 0);
    EXPECT_EQ(gameKeyCode(Qt::Key_Dead_Circumflex, 34, latin), 0);
    // A layout that cannot be read: only letters of another script move.
    EXPECT_EQ(gameKeyCode(0x03A3, 39, unknown), 83);  // Greek Σ
    EXPECT_EQ(gameKeyCode(Qt::Key_Semicolon, 52, unknown), 0);
    EXPECT_EQ(gameKeyCode(Qt::Key_Q, 24, unknown), 81);
}

TEST(RepeatPairing, DropsReleasePressPairsAndCountsPhysicalReleases) {
    std::vector<std::int16_t> counted;
    RepeatPairing pairing([&](const KeyRelease& r) { counted.push_back(r.keyCode); });
    // A held key: each repeat's press comes at its release's time, or a
    // millisecond later.
    EXPECT_FALSE(pairing.press(40, 1000));
    pairing.release({40, 1500, 83, 0});
    EXPECT_TRUE(pairing.press(40, 1500));
    pairing.release({40, 1533, 83, 0});
    EXPECT_TRUE(pairing.press(40, 1534));
    EXPECT_TRUE(counted.empty());
    // Its physical release: no press follows, the wait ends.
    pairing.release({40, 1600, 83, 0});
    pairing.flush();
    EXPECT_EQ(counted, (std::vector<std::int16_t>{83}));
    // A release followed by another key's press at the same time, or by
    // the same key pressed again later, was physical too.
    pairing.release({24, 2000, 81, 0});
    EXPECT_FALSE(pairing.press(52, 2000));
    pairing.release({52, 2100, 90, 0});
    EXPECT_FALSE(pairing.press(52, 2150));
    EXPECT_EQ(counted, (std::vector<std::int16_t>{83, 81, 90}));
    EXPECT_FALSE(pairing.holding());
}

TEST(KeyCodes, ModifierStateIsShiftCtrlAltBits) {
    EXPECT_EQ(shiftState(Qt::NoModifier), 0);
    EXPECT_EQ(shiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftState(Qt::ControlModifier | Qt::AltModifier), 6);
}

struct Released {
    std::int16_t code;
    std::int16_t shift;
    bool operator==(const Released&) const = default;
};

// The field and, beside it in the same window, the button.
struct FilteredWidget {
    QWidget window;
    QWidget& widget = *new QWidget(&window);
    QWidget& button = *new QWidget(&window);
    std::vector<Released> released;
    FilteredWidget() {
        new KeyReleaseFilter(&widget, [this](std::int16_t code, std::int16_t shift) {
            released.push_back({code, shift});
        });
    }
    void send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              bool autoRepeat = false, const QString& text = {}, QWidget* to = nullptr) {
        QKeyEvent event(type, key, modifiers, text, autoRepeat);
        QCoreApplication::sendEvent(to != nullptr ? to : &widget, &event);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        send(QEvent::KeyPress, key, modifiers);
        send(QEvent::KeyRelease, key, modifiers);
    }
};

TEST(KeyReleaseFilter, ReportsEachPhysicalReleaseOnceWhateverTheCase) {
    FilteredWidget w;
    w.send(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, false, "q");
    w.send(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, false, "q");
    w.send(QEvent::KeyPress, Qt::Key_Q, Qt::ShiftModifier, false, "Q");
    w.send(QEvent::KeyRelease, Qt::Key_Q, Qt::ShiftModifier, false, "Q");
    w.press(Qt::Key_Left);
    EXPECT_EQ(w.released, (std::vector<Released>{{81, 0}, {81, 1}, {37, 0}}));
}

TEST(KeyReleaseFilter, AHeldKeyCountsOnceOnItsRealRelease) {
    FilteredWidget w;
    w.send(QEvent::KeyPress, Qt::Key_Down);
    for (int repeat = 0; repeat < 10; ++repeat) {
        w.send(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, true);
        w.send(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, true);
    }
    EXPECT_TRUE(w.released.empty());
    w.send(QEvent::KeyRelease, Qt::Key_Down);
    EXPECT_EQ(w.released, (std::vector<Released>{{40, 0}}));
}

TEST(KeyReleaseFilter, IgnoresReleasesWhosePressItNeverSaw) {
    FilteredWidget w;
    // The Esc or Enter that closed a message box comes up here.
    w.send(QEvent::KeyRelease, Qt::Key_Escape);
    w.send(QEvent::KeyRelease, Qt::Key_Return);
    // A press before the window lost the keyboard does not count either.
    w.send(QEvent::KeyPress, Qt::Key_Z);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&w.widget, &focusOut);
    w.send(QEvent::KeyRelease, Qt::Key_Z);
    // Nor does a press in another window, or one released on the button.
    QWidget box;
    w.send(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, false, {}, &box);
    w.send(QEvent::KeyRelease, Qt::Key_Return);
    w.send(QEvent::KeyPress, Qt::Key_S);
    w.send(QEvent::KeyRelease, Qt::Key_S, Qt::NoModifier, false, {}, &w.button);
    w.send(QEvent::KeyRelease, Qt::Key_S);
    // Keys with no code are swallowed, not reported as 0.
    w.press(Qt::Key_Eacute);
    EXPECT_TRUE(w.released.empty());
}

TEST(KeyReleaseFilter, AKeyHeldAcrossTheClickOnJouerCountsOnTheField) {
    FilteredWidget w;
    w.send(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, false, {}, &w.button);
    // The focus moves from the button to the field within the window.
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&w.button, &focusOut);
    w.send(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, true);
    w.send(QEvent::KeyRelease, Qt::Key_Q);
    w.send(QEvent::KeyRelease, Qt::Key_Q);
    EXPECT_EQ(w.released, (std::vector<Released>{{81, 0}}));
}

}  // namespace
}  // namespace klobbet
