// Our decoder against libjpeg's own djpeg, pixel for pixel.
#include <gtest/gtest.h>

#include <sstream>

#include "picture/jpeg_graphic.h"
#include "support/installed_program.h"
#include "support/jpeg_fixtures.h"

namespace {

using picture::PixelFormat;
using testing_support::ShellQuote;

TEST(JpegDjpegTest, DecodedPixelsEqualDjpegs) {
  std::string color =
      testing_support::EncodeJpeg(testing_support::TestImage(133, 67, PixelFormat::kTrueColor));
  struct {
    const char* name;
    std::string jpeg;
  } cases[] = {
      {"illustration", testing_support::IllustrationJpeg()},
      {"gray",
       testing_support::EncodeJpeg(testing_support::TestImage(133, 67, PixelFormat::kGray256))},
      {"data cut short", color.substr(0, color.size() * 2 / 3)},
  };
  testing_support::ScratchDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    picture::TJpegGraphic jpeg;
    picture::MemoryStream stream(c.jpeg);
    jpeg.LoadFromStream(stream);

    testing_support::WriteBytes(dir.File("in.jpg"), c.jpeg);
    auto run = testing_support::RunShell("djpeg -pnm -outfile " + ShellQuote(dir.File("out.pnm")) +
                                         " " + ShellQuote(dir.File("in.jpg")));
    ASSERT_EQ(run.exitCode, jpeg.WarningCount() ? 2 : 0) << run.output;  // 2: with warnings
    std::istringstream pnm(testing_support::ReadBytes(dir.File("out.pnm")));
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    pnm >> magic >> width >> height >> maxValue;
    pnm.get();
    std::string pixels((std::istreambuf_iterator<char>(pnm)), std::istreambuf_iterator<char>());
    ASSERT_EQ(magic, picture::IsGray256(*jpeg.Image()) ? "P5" : "P6");
    ASSERT_EQ(width, jpeg.Width());
    ASSERT_EQ(height, jpeg.Height());

    int samples = magic == "P5" ? 1 : 3, differences = 0;
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = picture::DibRow(*jpeg.Image(), y);
      for (int i = 0; i < width * samples; ++i) {
        int ours = row[samples == 3 ? i / 3 * 3 + 2 - i % 3 : i];  // blue, green, red
        differences +=
            ours != static_cast<uint8_t>(pixels[static_cast<size_t>(y) * width * samples + i]);
      }
    }
    EXPECT_EQ(differences, 0);
  }
}

}  // namespace
