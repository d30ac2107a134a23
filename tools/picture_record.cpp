// picture_record <picture.ppm> <quality> <record.bin>
// Encodes a binary PPM (P6, 8 bits) as a baseline JFIF JPEG at 72 dots per
// inch and writes it as a stored picture record ("TJpegGraphic").
#include <cstdio>
#include <cstdlib>
#include <string>

#include "picture/jpeg_graphic.h"
#include "picture/picture_data.h"

namespace {

// The header's next number, skipping blanks and comments.
int NextNumber(picture::Stream& in) {
  std::string digits;
  char c = 0;
  while (in.Read(&c, 1) == 1) {
    if (c == '#') {
      while (in.Read(&c, 1) == 1 && c != '\n') {
      }
    } else if (c >= '0' && c <= '9') {
      digits += c;
    } else if (!digits.empty()) {
      break;
    }
  }
  return digits.empty() ? -1 : std::atoi(digits.c_str());
}

toolkit::DibImage ReadPpm(const std::string& path) {
  picture::FileStream in(path, picture::FileStream::Mode::kRead);
  char magic[2] = {};
  in.ReadBuffer(magic, 2);
  int width = NextNumber(in), height = NextNumber(in), maxValue = NextNumber(in);
  if (magic[0] != 'P' || magic[1] != '6' || width <= 0 || height <= 0 || maxValue != 255) {
    throw picture::EReadError(path + ": not a binary 8-bit PPM");
  }
  toolkit::DibImage image = picture::MakeDibImage(width, height, picture::PixelFormat::kTrueColor);
  image.xPixelsPerMetre = image.yPixelsPerMetre = picture::PixelsPerMetre(72);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = picture::DibRow(image, y);
    in.ReadBuffer(row, 3 * width);
    for (int x = 0; x < width; ++x) std::swap(row[3 * x], row[3 * x + 2]);
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: picture_record <picture.ppm> <quality> <record.bin>\n", stderr);
    return 2;
  }
  try {
    picture::TJpegGraphic jpeg;
    jpeg.AssignImage(ReadPpm(argv[1]));
    jpeg.SetQuality(std::atoi(argv[2]));
    picture::FileStream out(argv[3], picture::FileStream::Mode::kCreate);
    picture::WritePictureData(jpeg, out);
  } catch (const platform::Error& e) {
    std::fprintf(stderr, "picture_record: %s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
