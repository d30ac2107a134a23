// The 16 x 16 picture every port row of the list shows: a small grey desktop
// printer with a green and a red light, on a transparent background.
#pragma once

#include <cstdint>

namespace resources {

constexpr int kRowPictureSize = 16;

struct Rgba {
  uint8_t red, green, blue, alpha;  // alpha 0: transparent, 255: opaque
};

// The pixel at column x, row y (0 to 15, top-left first); transparent
// outside the picture.
Rgba RowPicturePixel(int x, int y);

}  // namespace resources
