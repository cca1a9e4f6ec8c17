#include <gtest/gtest.h>

#include "support/fake_window.h"
#include "window/bitmaps.h"

namespace klobbet::testing {
namespace {

TEST(FormLoad, TellsTheKeysBeforeLoadingAnything) {
    FakeWindow window;
    ASSERT_EQ(window.services.boxes.size(), 1u);
    const ShownBox& box = window.services.boxes[0];
    EXPECT_EQ(box.prompt,
              QStringLiteral("Le joueur de droite a les flèches, celui de gauche Q, S, D et Z"));
    EXPECT_EQ(box.title, QStringLiteral("Klobbet :"));
    EXPECT_EQ(box.style, 64);
    const std::vector<int> order = {106, 105, 107, 104, 110, 109, 111, 108, 102,
                                    101, 103, 112, 120, 113, 121, 114, 122, 115,
                                    123, 116, 124, 117, 125, 118, 126, 119, 127};
    EXPECT_EQ(window.services.loaded, order);
}

TEST(FormLoad, LeavesTheGameIdleWithItsDefaults) {
    FakeWindow window;
    const Form1& form = window.form;
    EXPECT_TRUE(form.gameOver);
    EXPECT_EQ(form.sequenceLength, 20);
    EXPECT_TRUE(form.sequence.empty());
    EXPECT_EQ(form.leftProgress, 0);
    EXPECT_EQ(form.rightProgress, 0);
    EXPECT_EQ(form.symbolShift, 0);
    EXPECT_FALSE(form.leftStunned || form.rightStunned);
    EXPECT_FALSE(form.leftEasy || form.leftDiabolical || form.rightEasy || form.rightDiabolical);
    EXPECT_TRUE(window.services.seeds.empty());
    EXPECT_EQ(form.leftPoses[0]->width(), 178);
    EXPECT_EQ(form.leftPoses[1]->width(), 170);
    EXPECT_EQ(form.candlePicture->size(), QSize(14, 32));
    EXPECT_EQ(form.flattenedPicture->size(), QSize(90, 62));
}

TEST(FormLoad, ArrowsAreTheBigArrowSymbolsThemselves) {
    FakeWindow window;
    const Form1& form = window.form;
    EXPECT_EQ(form.arrowSymbols[0].get(), form.bigSymbols[6].get());
    EXPECT_EQ(form.arrowSymbols[1].get(), form.bigSymbols[3].get());
    EXPECT_EQ(form.arrowSymbols[2].get(), form.bigSymbols[5].get());
    EXPECT_EQ(form.arrowSymbols[3].get(), form.bigSymbols[4].get());
    EXPECT_EQ(*form.arrowSymbols[1], *loadBitmapResource(122));
}

TEST(FormLoad, AMissingBitmapStopsStartUpNamingIt) {
    FakeServices services;
    services.missingBitmaps = {107};
    FakeSurface p1{655, 423}, p2{121, 73}, p3{111, 103}, p4{111, 103};
    FakeLabel label{services};
    FakeSwitch button, menu;
    FakeMenuItem items[9];
    FakeTimer t1{services}, t2{services};
    Form1 form(Form1Controls{p1, p2, p3, p4, label, button, menu, items[0], items[1], items[2],
                             items[3], items[4], items[5], items[6], items[7], items[8], t1, t2},
               services);
    try {
        form.Form_Load();
        FAIL() << "start-up went on without bitmap 107";
    } catch (const BitmapLoadError& error) {
        EXPECT_EQ(error.number(), 107);
    }
}

}  // namespace
}  // namespace klobbet::testing
