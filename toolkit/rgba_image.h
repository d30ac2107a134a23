// A small picture with transparency, as an image list holds it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace toolkit {

struct Rgba {
  uint8_t red, green, blue, alpha;  // alpha 0: transparent, 255: opaque
};

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;  // rows top first, width pixels each

  // Transparent outside the picture.
  Rgba At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0, 0};
    return pixels[static_cast<size_t>(y) * width + x];
  }
};

}  // namespace toolkit
