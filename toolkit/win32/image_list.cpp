#include "toolkit/win32/image_list.h"

#include <algorithm>
#include <vector>

#include "toolkit/win32/window_classes.h"

namespace toolkit::win32 {

namespace {

using platform::win32::ScopedGdiObject;

// The picture's colours (transparent pixels black) as a top-down DIB section.
ScopedGdiObject MakeColourBitmap(const RgbaImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedGdiObject colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour.IsValid() || !bits) return {};
  const int stride = (image.width * 3 + 3) / 4 * 4;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      Rgba pixel = image.At(x, y);
      BYTE* out = static_cast<BYTE*>(bits) + y * stride + x * 3;
      bool clear = pixel.alpha == 0;
      out[0] = clear ? 0 : pixel.blue;
      out[1] = clear ? 0 : pixel.green;
      out[2] = clear ? 0 : pixel.red;
    }
  }
  return colour;
}

// Monochrome, rows padded to 16 bits; a set bit is transparent.
ScopedGdiObject MakeMaskBitmap(const RgbaImage& image) {
  const int stride = (image.width + 15) / 16 * 2;
  std::vector<BYTE> bits(static_cast<size_t>(stride) * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.At(x, y).alpha == 0) bits[y * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  return ScopedGdiObject(::CreateBitmap(image.width, image.height, 1, 1, bits.data()));
}

}  // namespace

ScopedImageList MakeImageList(const ImageList& images) {
  int count = static_cast<int>(images.Images().size());
  ScopedImageList list(::ImageList_Create(images.Width(), images.Height(), ILC_COLOR24 | ILC_MASK,
                                          std::max(count, 1), 0));
  if (!list.IsValid()) RaiseSystemError("Cannot create the image list " + images.Name());
  for (const RgbaImage& image : images.Images()) {
    ScopedGdiObject colour = MakeColourBitmap(image);
    ScopedGdiObject mask = MakeMaskBitmap(image);
    if (!colour.IsValid() || !mask.IsValid() ||
        ::ImageList_Add(list.Get(), static_cast<HBITMAP>(colour.Get()),
                        static_cast<HBITMAP>(mask.Get())) < 0) {
      RaiseSystemError("Cannot add a picture to the image list " + images.Name());
    }
  }
  return list;
}

}  // namespace toolkit::win32
