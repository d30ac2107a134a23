// The JPEG loader over arbitrary bytes: either it raises EJPEG and keeps the
// picture it held, or it holds an image of the announced size whose rows
// and palette fit its bits.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/check.h"
#include "picture/dib_graphic.h"
#include "picture/jpeg_codec.h"
#include "picture/jpeg_graphic.h"

namespace {

// A header may announce 65,500 by 65,500 pixels in a few bytes; pictures
// above 65,536 pixels are left out, so that one input costs little (their
// rows go through the same code).
constexpr uint64_t kMaxPixels = 1 << 16;

// The size the header announces; 0 by 0 when it cannot be read.
std::pair<uint64_t, uint64_t> AnnouncedSize(std::string_view bytes) {
  picture::MemoryStream stream(bytes);
  try {
    picture::JpegDecompressor jpeg(stream);
    jpeg.Run([&] { jpeg_read_header(&jpeg.Info(), TRUE); });
    return {jpeg.Info().image_width, jpeg.Info().image_height};
  } catch (const platform::Error&) {
    return {0, 0};
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto [width, height] = AnnouncedSize(bytes);
  if (width * height > kMaxPixels) return 0;

  picture::TJpegGraphic graphic;
  graphic.AssignImage(picture::MakeDibImage(1, 1, picture::PixelFormat::kGray256));
  picture::MemoryStream stream(bytes);
  try {
    graphic.LoadFromStream(stream);
  } catch (const platform::Error& error) {
    FUZZ_CHECK(error.Kind() == "EJPEG");
    FUZZ_CHECK(graphic.Width() == 1 && graphic.Height() == 1);
    return 0;
  }
  const toolkit::DibImage& image = *graphic.Image();
  FUZZ_CHECK(static_cast<uint64_t>(image.width) == width);
  FUZZ_CHECK(static_cast<uint64_t>(image.height) == height);
  FUZZ_CHECK(image.width > 0 && image.height > 0);
  FUZZ_CHECK(image.bitsPerPixel == 8 ? picture::IsGray256(image)
                                     : image.bitsPerPixel == 24 && image.palette.empty());
  FUZZ_CHECK(image.Stride() % 4 == 0 && image.Stride() >= image.width * image.bitsPerPixel / 8 &&
             image.Stride() < image.width * image.bitsPerPixel / 8 + 4);
  FUZZ_CHECK(image.bits.size() == static_cast<size_t>(image.Stride()) * image.height);
  return 0;
}
