#include "resources/row_picture.h"

#include <gtest/gtest.h>

namespace {

using resources::RowPicturePixel;

bool IsTransparent(toolkit::Rgba p) { return p.alpha == 0; }
bool IsGrey(toolkit::Rgba p) { return p.alpha == 255 && p.red == p.green && p.green == p.blue; }

TEST(RowPictureTest, GreyPrinterWithTwoLightsOnTransparentGround) {
  int grey = 0, green = 0, red = 0, transparent = 0;
  for (int y = 0; y < resources::kRowPictureSize; ++y) {
    for (int x = 0; x < resources::kRowPictureSize; ++x) {
      auto p = RowPicturePixel(x, y);
      if (IsTransparent(p)) ++transparent;
      if (IsGrey(p)) ++grey;
      if (p.alpha == 255 && p.green > 128 && p.red == 0) ++green;
      if (p.alpha == 255 && p.red > 128 && p.green == 0) ++red;
    }
  }
  EXPECT_EQ(green, 1);
  EXPECT_EQ(red, 1);
  EXPECT_GT(grey, 100);
  EXPECT_GT(transparent, 40);
  for (auto [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}}) {
    EXPECT_TRUE(IsTransparent(RowPicturePixel(x, y))) << x << "," << y;
  }
  EXPECT_TRUE(IsTransparent(RowPicturePixel(16, 0)));
  EXPECT_TRUE(IsTransparent(RowPicturePixel(-1, 3)));
}

}  // namespace
