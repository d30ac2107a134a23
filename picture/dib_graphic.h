// The base of the picture formats: one decoded image held as a
// device-independent bitmap, which a picture box can draw.
#pragma once

#include <cstdint>
#include <optional>

#include "picture/stream.h"
#include "toolkit/graphic.h"

namespace picture {

// The formats a decoded picture has: "256 shades of gray" (8 bits, gray
// palette) and "True color" (24 bits, blue, green, red).
enum class PixelFormat { kGray256, kTrueColor };

const char* PixelFormatName(PixelFormat format);

// True for 8 bits per pixel with the 256-entry gray palette.
bool IsGray256(const toolkit::DibImage& image);

// Pixels per metre for a resolution in dots per inch, rounded.
int PixelsPerMetre(int dotsPerInch);

// A new image of the size and format, every pixel 0 (black); "256 shades of
// gray" with its palette, entry i = red, green and blue all i. A size whose
// bits the program cannot address raises EOutOfMemory "Out of memory".
toolkit::DibImage MakeDibImage(int width, int height, PixelFormat format);

// Row y of the picture, counted from the top (the rows are stored bottom-up).
uint8_t* DibRow(toolkit::DibImage& image, int y);
const uint8_t* DibRow(const toolkit::DibImage& image, int y);

class TDibGraphic : public toolkit::Graphic {
 public:
  const toolkit::DibImage* Image() const override { return image_ ? &*image_ : nullptr; }

  // Takes an image as it is (its rows and palette must fit its size).
  void AssignImage(toolkit::DibImage image) { image_ = std::move(image); }
  void Clear() { image_.reset(); }

  // The class name a stored picture record names ("TJpegGraphic", ...).
  virtual const char* ClassName() const = 0;
  // Replaces the image with the one the stream holds from its position on.
  virtual void LoadFromStream(Stream& stream) = 0;
  virtual void SaveToStream(Stream& stream) const = 0;

 protected:
  std::optional<toolkit::DibImage> image_;
};

}  // namespace picture
