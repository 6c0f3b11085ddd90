// The eleven pictures exist at their sizes and stay sharp at 200 %.

#include "ui/pictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Expected {
    Picture number;
    int width;
    int height;
};

constexpr Expected kSizes[] = {
    {Picture::Warning, 45, 30},   {Picture::CopyTimeParams, 24, 24}, {Picture::CopyDialogImage, 50, 25},
    {Picture::About, 146, 155},   {Picture::ToolNew, 16, 16},        {Picture::ToolOpen, 16, 16},
    {Picture::ToolSave, 16, 16},  {Picture::ToolHelp, 16, 16},       {Picture::ToolSite, 16, 16},
    {Picture::ToolAbout, 16, 16}, {Picture::ToolExit, 16, 16}};

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
        const auto outside = static_cast<Picture>(number);
        EXPECT_TRUE(picture(outside).isNull()) << number;
        EXPECT_TRUE(picture_size(outside).isEmpty()) << number;
        EXPECT_TRUE(picture_icon(outside).isNull()) << number;
    }
}

TEST(Pictures, TheApplicationHasAnIcon)
{
    EXPECT_FALSE(application_icon().isNull());
    EXPECT_FALSE(application_icon().availableSizes().isEmpty());
}

} // namespace
