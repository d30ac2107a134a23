// A picture a picture box can hold and draw: a device-independent bitmap.
// Picture formats (JPEG, ...) derive from Graphic and fill its image; the
// window binding only draws what Image() holds, unscaled.
#pragma once

#include <cstdint>
#include <vector>

namespace toolkit {

// One decoded image, laid out as a Windows DIB: rows bottom-up (the top
// row is the last in memory), each padded to a multiple of 4 bytes.
struct DibImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;           // 8: palette indexes; 24: blue, green, red
  std::vector<uint32_t> palette;  // 0x00RRGGBB per entry, for 8 bits per pixel
  std::vector<uint8_t> bits;      // height * Stride() bytes
  int xPixelsPerMetre = 0;
  int yPixelsPerMetre = 0;

  int Stride() const { return (width * bitsPerPixel / 8 + 3) / 4 * 4; }
};

class Graphic {
 public:
  virtual ~Graphic() = default;
  // Null while the graphic holds no image.
  virtual const DibImage* Image() const = 0;
  bool Empty() const { return Image() == nullptr; }
  int Width() const { return Image() ? Image()->width : 0; }
  int Height() const { return Image() ? Image()->height : 0; }
};

}  // namespace toolkit
