// The eleven pictures exist at their sizes and stay sharp at 200 %.

#include "app/pictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Expected {
    int number;
    int width;
    int height;
};

constexpr Expected kSizes[] = {{0, 45, 30}, {1, 24, 24}, {2, 50, 25}, {3, 146, 155}, {4, 16, 16}, {5, 16, 16},
                               {6, 16, 16}, {7, 16, 16}, {8, 16, 16}, {9, 16, 16},   {10, 16, 16}};

int opaque_pixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
}

class PictureSizes : public ::testing::TestWithParam<Expected> {};

TEST_P(PictureSizes, DrawnAtItsSizeForBothRatios)
{
    const Expected e = GetParam();
    EXPECT_EQ(picture_size(e.number), QSize(e.width, e.height));
    for (const qreal ratio : {1.0, 2.0}) {
        const QPixmap pixmap = picture(e.number, ratio);
        ASSERT_FALSE(pixmap.isNull()) << ratio;
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(e.width, e.height)) << ratio;
        EXPECT_EQ(pixmap.size(), QSize(e.width, e.height) * ratio) << ratio;
        // Something is drawn, not an empty canvas.
        EXPECT_GT(opaque_pixels(pixmap.toImage()), pixmap.width() * pixmap.height() / 20) << ratio;
    }
    EXPECT_FALSE(picture_icon(e.number).isNull());
}

INSTANTIATE_TEST_SUITE_P(AllEleven, PictureSizes, ::testing::ValuesIn(kSizes));

TEST(Pictures, NumbersOutsideTheTableGiveNothing)
{
    for (const int number : {-1, 11, 100}) {
        EXPECT_TRUE(picture(number).isNull()) << number;
        EXPECT_TRUE(picture_size(number).isEmpty()) << number;
        EXPECT_TRUE(picture_icon(number).isNull()) << number;
    }
}

TEST(Pictures, TheApplicationHasAnIcon)
{
    EXPECT_FALSE(application_icon().isNull());
    EXPECT_FALSE(application_icon().availableSizes().isEmpty());
}

} // namespace
