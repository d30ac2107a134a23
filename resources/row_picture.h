// The 16 x 16 picture every port row of the list shows: a small grey desktop
// printer with a green and a red light, on a transparent background.
#pragma once

#include "toolkit/rgba_image.h"

namespace resources {

constexpr int kRowPictureSize = 16;

// The pixel at column x, row y (0 to 15, top-left first); transparent
// outside the picture.
toolkit::Rgba RowPicturePixel(int x, int y);

// The whole picture, for an image list.
toolkit::RgbaImage RowPicture();

}  // namespace resources
