#include "window/qt/qt_services.h"

#include <gtest/gtest.h>

#include "window/bitmaps.h"

namespace klobbet {
namespace {

QtServices services() {
    return QtServices([]() -> QWidget* { return nullptr; }, [] {});
}

TEST(PicturesDecodedAhead, AreTheBitmapsTheLoadingAsksFor) {
    QtServices ahead = services();
    ahead.decodePicturesAhead();
    for (int number = kFirstBitmap; number <= kLastBitmap; ++number) {
        const Picture expected = loadBitmapResource(number);
        const Picture first = ahead.LoadPicture(number);
        const Picture again = ahead.LoadPicture(number);
        ASSERT_TRUE(first && again) << number;
        EXPECT_EQ(*first, *expected) << number;
        EXPECT_EQ(*again, *expected) << number;
    }
    EXPECT_THROW(ahead.LoadPicture(kLastBitmap + 1), BitmapLoadError);
    EXPECT_THROW(ahead.LoadPicture(kFirstBitmap - 1), BitmapLoadError);
}

TEST(PicturesDecodedAhead, LoadAsUsualWhenNothingWasDecoded) {
    QtServices plain = services();
    EXPECT_EQ(*plain.LoadPicture(120), *loadBitmapResource(120));
    // Too late to help: the loading has begun, and still loads the same.
    plain.decodePicturesAhead();
    EXPECT_EQ(*plain.LoadPicture(121), *loadBitmapResource(121));
}

}  // namespace
}  // namespace klobbet
