#include "support/jpeg_fixtures.h"

#include <vector>

#include "picture/jpeg_codec.h"
#include "picture/jpeg_graphic.h"
#include "resources/illustration.h"

namespace testing_support {

toolkit::DibImage TestImage(int width, int height, picture::PixelFormat format) {
  toolkit::DibImage image = picture::MakeDibImage(width, height, format);
  image.xPixelsPerMetre = image.yPixelsPerMetre = picture::PixelsPerMetre(72);
  int samples = image.bitsPerPixel / 8;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = picture::DibRow(image, y);
    for (int x = 0; x < width; ++x) {
      for (int s = 0; s < samples; ++s) {
        row[x * samples + s] =
            static_cast<uint8_t>((x * 255 / width + s * 80 + (y / 8 % 2) * 60) % 256);
      }
    }
  }
  return image;
}

std::string EncodeJpeg(const toolkit::DibImage& image) {
  picture::TJpegGraphic jpeg;
  jpeg.AssignImage(image);
  picture::MemoryStream out;
  jpeg.SaveToStream(out);
  return out.Bytes();
}

std::string CmykJpeg(int width, int height) {
  picture::MemoryStream out;
  picture::JpegCompressor jpeg(out);
  jpeg_compress_struct& info = jpeg.Info();
  info.image_width = width;
  info.image_height = height;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg.Run([&] {
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
  });
  std::vector<uint8_t> line(width * 4, 100);
  JSAMPROW row = line.data();
  for (int y = 0; y < height; ++y) jpeg.Run([&] { jpeg_write_scanlines(&info, &row, 1); });
  jpeg.Run([&] { jpeg_finish_compress(&info); });
  return out.Bytes();
}

std::string FormatName(const toolkit::DibImage& image) {
  return picture::PixelFormatName(picture::IsGray256(image) ? picture::PixelFormat::kGray256
                                                            : picture::PixelFormat::kTrueColor);
}

std::string IllustrationJpeg() {
  return std::string(resources::IllustrationPictureData().substr(13));
}

}  // namespace testing_support
