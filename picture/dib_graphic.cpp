#include "picture/dib_graphic.h"

#include <cmath>

#include "platform/error.h"

namespace picture {

namespace {

uint32_t GrayEntry(uint32_t level) { return level << 16 | level << 8 | level; }

}  // namespace

const char* PixelFormatName(PixelFormat format) {
  return format == PixelFormat::kGray256 ? "256 shades of gray" : "True color";
}

bool IsGray256(const toolkit::DibImage& image) {
  if (image.bitsPerPixel != 8 || image.palette.size() != 256) return false;
  for (uint32_t i = 0; i < 256; ++i) {
    if (image.palette[i] != GrayEntry(i)) return false;
  }
  return true;
}

int PixelsPerMetre(int dotsPerInch) {
  return static_cast<int>(std::lround(dotsPerInch * 39.370078740157));
}

toolkit::DibImage MakeDibImage(int width, int height, PixelFormat format) {
  toolkit::DibImage image;
  image.width = width;
  image.height = height;
  image.bitsPerPixel = format == PixelFormat::kGray256 ? 8 : 24;
  for (uint32_t i = 0; format == PixelFormat::kGray256 && i < 256; ++i) {
    image.palette.push_back(GrayEntry(i));
  }
  // A header can announce more than a 32-bit program can address: refused
  // before the size wraps around to a short block.
  const uint64_t bytes = static_cast<uint64_t>(image.Stride()) * static_cast<uint64_t>(height);
  if (bytes > image.bits.max_size()) throw platform::Error("EOutOfMemory", "Out of memory");
  image.bits.assign(static_cast<size_t>(bytes), 0);
  return image;
}

uint8_t* DibRow(toolkit::DibImage& image, int y) {
  return image.bits.data() + static_cast<size_t>(image.height - 1 - y) * image.Stride();
}

const uint8_t* DibRow(const toolkit::DibImage& image, int y) {
  return image.bits.data() + static_cast<size_t>(image.height - 1 - y) * image.Stride();
}

}  // namespace picture
