#include "picture/jpeg_graphic.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "picture/jpeg_codec.h"
#include "platform/screen.h"

namespace picture {

namespace {

// Dots per inch from the JFIF density: unit 1 is dots per inch, unit 2 dots
// per centimetre; anything else, and 0, means the screen's resolution.
int DotsPerInch(int unit, int density) {
  int dotsPerInch = unit == 1   ? density
                    : unit == 2 ? static_cast<int>(std::lround(density * 2.54))
                                : 0;
  return dotsPerInch != 0 ? dotsPerInch : platform::ScreenPixelsPerInch();
}

void SwapRedBlue(uint8_t* row, int width) {
  for (int x = 0; x < width; ++x) std::swap(row[3 * x], row[3 * x + 2]);
}

}  // namespace

void TJpegGraphic::LoadFromStream(Stream& stream) {
  JpegDecompressor jpeg(stream);
  jpeg_decompress_struct& info = jpeg.Info();
  Progress(0);
  jpeg.Run([&] { jpeg_read_header(&info, TRUE); });
  info.out_color_space = info.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
  jpeg.Run([&] { jpeg_start_decompress(&info); });

  int samples = info.output_components;
  if (samples != 1 && samples != 3) {
    throw EJPEG("Invalid number of samples, " + std::to_string(samples));
  }
  int width = static_cast<int>(info.output_width);
  int height = static_cast<int>(info.output_height);
  toolkit::DibImage image =
      MakeDibImage(width, height, samples == 1 ? PixelFormat::kGray256 : PixelFormat::kTrueColor);
  image.xPixelsPerMetre = PixelsPerMetre(DotsPerInch(info.density_unit, info.X_density));
  image.yPixelsPerMetre = PixelsPerMetre(DotsPerInch(info.density_unit, info.Y_density));

  for (int y = 0; y < height; ++y) {
    JSAMPROW row = DibRow(image, y);
    jpeg.Run([&] { jpeg_read_scanlines(&info, &row, 1); });
    if (samples == 3) SwapRedBlue(row, width);
    Progress(static_cast<int>((y + 1) * 100LL / height));
  }
  jpeg.Run([&] { jpeg_finish_decompress(&info); });
  warnings_ = static_cast<int>(info.err->num_warnings);
  image_ = std::move(image);
}

void TJpegGraphic::SaveToStream(Stream& stream) const {
  bool gray = image_ && IsGray256(*image_);
  if (!image_ || !(gray || image_->bitsPerPixel == 24)) {
    throw EJPEG("JPEG image must be gray scale or true color");
  }
  JpegCompressor jpeg(stream);
  jpeg_compress_struct& info = jpeg.Info();
  info.image_width = static_cast<JDIMENSION>(image_->width);
  info.image_height = static_cast<JDIMENSION>(image_->height);
  info.input_components = gray ? 1 : 3;
  info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg.Run([&] {
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality_, TRUE);
  });
  // Dots per inch; an image without a resolution says only "square pixels".
  int xDpi = static_cast<int>(std::lround(image_->xPixelsPerMetre / 39.370078740157));
  int yDpi = static_cast<int>(std::lround(image_->yPixelsPerMetre / 39.370078740157));
  bool known = xDpi > 0 && yDpi > 0 && xDpi <= 65535 && yDpi <= 65535;
  info.density_unit = known ? 1 : 0;
  info.X_density = static_cast<UINT16>(known ? xDpi : 1);
  info.Y_density = static_cast<UINT16>(known ? yDpi : 1);
  jpeg.Run([&] { jpeg_start_compress(&info, TRUE); });

  std::vector<uint8_t> line(static_cast<size_t>(image_->width) * info.input_components);
  for (int y = 0; y < image_->height; ++y) {
    const uint8_t* source = DibRow(*image_, y);
    line.assign(source, source + line.size());
    if (!gray) SwapRedBlue(line.data(), image_->width);
    JSAMPROW row = line.data();
    jpeg.Run([&] { jpeg_write_scanlines(&info, &row, 1); });
  }
  jpeg.Run([&] { jpeg_finish_compress(&info); });
}

}  // namespace picture
