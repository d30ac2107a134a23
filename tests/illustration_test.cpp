#include "resources/illustration.h"

#include <gtest/gtest.h>

#include <map>

#include "picture/picture_data.h"
#include "support/jpeg_fixtures.h"

namespace {

// Marker -> number of tables (DQT, DHT) or segments (others).
std::map<int, int> MarkerCounts(const std::string& jpeg, std::map<int, std::string>& bodies) {
  std::map<int, int> counts;
  size_t at = 2;
  while (at + 4 <= jpeg.size() && static_cast<uint8_t>(jpeg[at]) == 0xFF) {
    int marker = static_cast<uint8_t>(jpeg[at + 1]);
    if (marker == 0xD9) break;
    size_t length = static_cast<uint8_t>(jpeg[at + 2]) << 8 | static_cast<uint8_t>(jpeg[at + 3]);
    std::string body = jpeg.substr(at + 4, length - 2);
    bodies[marker] = body;
    for (size_t i = 0; marker == 0xC4 && i < body.size(); counts[marker]++) {
      size_t symbols = 0;
      for (int k = 1; k <= 16; ++k) symbols += static_cast<uint8_t>(body[i + k]);
      i += 17 + symbols;
    }
    counts[marker] += marker == 0xDB ? static_cast<int>(body.size() / 65) : marker == 0xC4 ? 0 : 1;
    at += 2 + length;
    if (marker == 0xDA) {  // entropy-coded data up to the next marker
      while (at + 1 < jpeg.size() && !(static_cast<uint8_t>(jpeg[at]) == 0xFF && jpeg[at + 1] != 0))
        ++at;
    }
  }
  counts[0xD9] = jpeg.substr(jpeg.size() - 2) == "\xFF\xD9" ? 1 : 0;
  return counts;
}

TEST(IllustrationTest, IsABaselineJfifRecordOf140x89YCbCr) {
  std::string_view record = resources::IllustrationPictureData();
  EXPECT_EQ(record.substr(0, 13), std::string_view("\x0cTJpegGraphic", 13));
  std::map<int, std::string> bodies;
  auto counts = MarkerCounts(testing_support::IllustrationJpeg(), bodies);
  // APP0, DQT, SOF0, DHT, SOS, EOI; no DRI, no other frame type.
  EXPECT_EQ(counts,
            (std::map<int, int>{{0xE0, 1}, {0xDB, 2}, {0xC0, 1}, {0xC4, 4}, {0xDA, 1}, {0xD9, 1}}));
  // JFIF 1.01, dots per inch, 72 x 72, no thumbnail.
  EXPECT_EQ(bodies[0xE0], std::string("JFIF\0\x01\x01\x01\0\x48\0\x48\0\0", 14));
  // 8 bits, 89 rows, 140 columns; Y 2 x 2 with table 0, Cb and Cr 1 x 1 with table 1.
  EXPECT_EQ(bodies[0xC0],
            std::string("\x08\0\x59\0\x8C\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 15));
}

TEST(IllustrationTest, DecodesTo140x89TrueColorAt72Dpi) {
  picture::MemoryStream record(resources::IllustrationPictureData());
  auto graphic = picture::ReadPictureData(record);
  ASSERT_TRUE(graphic);
  const toolkit::DibImage& image = *graphic->Image();
  EXPECT_EQ(std::string(graphic->ClassName()), "TJpegGraphic");
  EXPECT_EQ(testing_support::FormatName(image), "True color");
  EXPECT_EQ(image.width, 140);
  EXPECT_EQ(image.height, 89);
  EXPECT_EQ(image.bits.size(), 89u * 420);
  EXPECT_EQ(image.xPixelsPerMetre, 2835);
  EXPECT_EQ(image.yPixelsPerMetre, 2835);
  // Blue, green, red: the beige column headers at the top, the blue highlight of the entry.
  const uint8_t* header = picture::DibRow(image, 5) + 3 * 125;
  const uint8_t* entry = picture::DibRow(image, 72) + 3 * 57;
  EXPECT_NEAR(header[0], 0xD8, 12);
  EXPECT_NEAR(header[2], 0xEC, 12);
  EXPECT_NEAR(entry[0], 0xC5, 24);
  EXPECT_NEAR(entry[2], 0x31, 24);
}

}  // namespace
