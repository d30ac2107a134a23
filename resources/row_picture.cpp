#include "resources/row_picture.h"

namespace resources {

namespace {

// One character per pixel; see ColourOf for the palette.
const char* const kPixels[kRowPictureSize] = {
    "................", "....kkkkkkkk....", "....kwwwwwwk....", "....kwkkkkwk....",
    "....kwwwwwwk....", "..kkkkkkkkkkkk..", ".kllllllllllllk.", ".klllllllllGlRk.",
    ".kllllllllllllk.", ".kggggggggggggk.", ".kgkkkkkkkkkkgk.", ".kggwwwwwwwwggk.",
    ".kggggggggggggk.", "..kkkkkkkkkkkk..", "..kk........kk..", "................",
};

using toolkit::Rgba;

Rgba ColourOf(char c) {
  switch (c) {
    case 'k':
      return {64, 64, 64, 255};  // outline
    case 'g':
      return {128, 128, 128, 255};  // body
    case 'l':
      return {192, 192, 192, 255};  // top
    case 'w':
      return {255, 255, 255, 255};  // paper
    case 'G':
      return {0, 192, 0, 255};  // ready light
    case 'R':
      return {224, 0, 0, 255};  // error light
    default:
      return {0, 0, 0, 0};
  }
}

}  // namespace

Rgba RowPicturePixel(int x, int y) {
  if (x < 0 || y < 0 || x >= kRowPictureSize || y >= kRowPictureSize) return {0, 0, 0, 0};
  return ColourOf(kPixels[y][x]);
}

toolkit::RgbaImage RowPicture() {
  toolkit::RgbaImage image{kRowPictureSize, kRowPictureSize, {}};
  for (int y = 0; y < kRowPictureSize; ++y) {
    for (int x = 0; x < kRowPictureSize; ++x) image.pixels.push_back(RowPicturePixel(x, y));
  }
  return image;
}

}  // namespace resources
