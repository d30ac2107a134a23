#include "picture/jpeg_graphic.h"

#include <gtest/gtest.h>

#include <vector>

#include "picture/graphic_classes.h"
#include "picture/picture_data.h"
#include "platform/screen.h"
#include "support/jpeg_fixtures.h"
#include "support/scratch_dir.h"

namespace {

using picture::PixelFormat;
using testing_support::EncodeJpeg;
using testing_support::TestImage;

std::string WithDensity(std::string jpeg, int unit, int x, int y) {
  jpeg[13] = static_cast<char>(unit);
  jpeg[14] = static_cast<char>(x >> 8), jpeg[15] = static_cast<char>(x);
  jpeg[16] = static_cast<char>(y >> 8), jpeg[17] = static_cast<char>(y);
  return jpeg;
}

TEST(JpegGraphicTest, DecodesOrFailsWithLibjpegsMessage) {
  std::string color = EncodeJpeg(TestImage(133, 67, PixelFormat::kTrueColor));
  std::string gray = EncodeJpeg(TestImage(133, 67, PixelFormat::kGray256));
  std::string comment =
      "\xFF\xFE\x27\x10" + std::string(9998, 'c');  // 10,000 bytes: skipped over blocks
  struct Case {
    const char* name;
    std::string bytes;
    const char* result;  // the format, or the error message
    int warnings;
  } cases[] = {
      {"true color, rows padded", color, "True color", 0},
      {"gray", gray, "256 shades of gray", 0},
      {"comment over three blocks", color.substr(0, 2) + comment + color.substr(2), "True color",
       0},
      {"end marker missing", color.substr(0, color.size() - 2), "True color", 1},
      {"data cut short", color.substr(0, color.size() * 2 / 3), "True color", 2},
      {"empty", "", "Empty input file", 0},
      {"no JPEG", "GIF89a", "Not a JPEG file: starts with 0x47 0x49", 0},
      {"start marker only", "\xFF\xD8", "JPEG datastream contains no image", 0},
      {"CMYK", testing_support::CmykJpeg(16, 16), "Unsupported color conversion request", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    picture::TJpegGraphic jpeg;
    picture::MemoryStream stream(c.bytes);
    try {
      jpeg.LoadFromStream(stream);
      EXPECT_EQ(testing_support::FormatName(*jpeg.Image()), c.result);
      EXPECT_EQ(jpeg.Width(), 133);
      EXPECT_EQ(jpeg.Height(), 67);
      EXPECT_EQ(jpeg.WarningCount(), c.warnings);
    } catch (const picture::EJPEG& e) {
      EXPECT_EQ(e.Message(), c.result);
      EXPECT_EQ(e.Kind(), "EJPEG");
      EXPECT_TRUE(jpeg.Empty());
    }
  }
}

TEST(JpegGraphicTest, ResolutionComesFromTheJfifDensity) {
  std::string jpeg = EncodeJpeg(TestImage(8, 8, PixelFormat::kTrueColor));
  int screen = picture::PixelsPerMetre(platform::ScreenPixelsPerInch());
  struct {
    int unit, x, y, xPerMetre, yPerMetre;
  } cases[] = {
      {1, 72, 72, 2835, 2835},   {1, 300, 150, 11811, 5906},  // dots per inch
      {2, 28, 40, 2795, 4016},                                // per cm: 71 and 102 dots per inch
      {0, 1, 1, screen, screen}, {3, 72, 72, screen, screen}, {1, 0, 96, screen, 3780},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.unit << " " << c.x << " " << c.y);
    picture::TJpegGraphic graphic;
    picture::MemoryStream stream(WithDensity(jpeg, c.unit, c.x, c.y));
    graphic.LoadFromStream(stream);
    EXPECT_EQ(graphic.Image()->xPixelsPerMetre, c.xPerMetre);
    EXPECT_EQ(graphic.Image()->yPixelsPerMetre, c.yPerMetre);
  }
}

TEST(JpegGraphicTest, ReportsProgressAndPassesStreamErrorsThrough) {
  picture::TJpegGraphic jpeg;
  std::vector<int> seen;
  jpeg.SetProgressObserver([&](int percent) { seen.push_back(percent); });
  picture::MemoryStream stream(EncodeJpeg(TestImage(8, 10, PixelFormat::kGray256)));
  jpeg.LoadFromStream(stream);
  EXPECT_EQ(seen, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));

  struct BrokenStream : picture::Stream {
    size_t Read(void*, size_t) override { throw picture::EReadError("Disk gone"); }
    void Write(const void*, size_t) override { throw picture::EWriteError("Stream write error"); }
  } broken;
  EXPECT_THROW(jpeg.LoadFromStream(broken), picture::EReadError);
  EXPECT_EQ(jpeg.Height(), 10);  // the image loaded before stays
  EXPECT_THROW(jpeg.SaveToStream(broken), picture::EWriteError);
}

// 21,858 by 65,500 pixels of true color need 4 GB and 260,704 bytes: in a
// 32-bit program the size wrapped around to the 260,704 and the rows were
// written past them.
TEST(JpegGraphicTest, APictureTooLargeToAddressIsRefused) {
  if (sizeof(size_t) > 4) GTEST_SKIP() << "a 64-bit program can address it";
  std::string jpeg = EncodeJpeg(TestImage(8, 8, PixelFormat::kTrueColor));
  const size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  jpeg.replace(sof + 5, 4, "\xFF\xDC\x55\x62");  // height 65,500, width 21,858
  picture::TJpegGraphic graphic;
  picture::MemoryStream stream(jpeg);
  try {
    graphic.LoadFromStream(stream);
    FAIL() << "loaded";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.Kind(), "EOutOfMemory");
    EXPECT_EQ(error.Message(), "Out of memory");
  }
  EXPECT_TRUE(graphic.Empty());
}

TEST(JpegGraphicTest, EncodesGrayAndTrueColorOnly) {
  toolkit::DibImage red = picture::MakeDibImage(16, 16, PixelFormat::kTrueColor);
  for (size_t i = 2; i < red.bits.size(); i += 3) red.bits[i] = 255;
  for (const auto& image : {red, TestImage(16, 16, PixelFormat::kGray256)}) {
    picture::TJpegGraphic jpeg, decoded;
    jpeg.AssignImage(image);
    picture::MemoryStream stream;
    jpeg.SaveToStream(stream);
    picture::MemoryStream in(stream.Bytes());
    decoded.LoadFromStream(in);
    // Without a resolution of its own the picture gets the screen's.
    int perMetre =
        image.xPixelsPerMetre ? 2835 : picture::PixelsPerMetre(platform::ScreenPixelsPerInch());
    EXPECT_EQ(decoded.Image()->xPixelsPerMetre, perMetre);
    EXPECT_EQ(decoded.Image()->bitsPerPixel, image.bitsPerPixel);
    for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(decoded.Image()->bits[i], image.bits[i], 2) << i;
  }

  picture::TJpegGraphic empty, colour256;
  toolkit::DibImage image = TestImage(16, 16, PixelFormat::kGray256);
  image.palette[1] = 0xFF0000;
  colour256.AssignImage(image);
  for (const auto* refused : {&empty, &colour256}) {
    picture::MemoryStream out;
    try {
      refused->SaveToStream(out);
      ADD_FAILURE() << "encoded";
    } catch (const picture::EJPEG& e) {
      EXPECT_EQ(e.Message(), "JPEG image must be gray scale or true color");
    }
  }
}

TEST(PictureDataTest, TheNamedRegisteredClassLoadsTheRest) {
  // A record written to a file and read back.
  testing_support::ScratchDir dir;
  picture::TJpegGraphic jpeg;
  jpeg.AssignImage(TestImage(20, 10, PixelFormat::kTrueColor));
  {
    picture::FileStream out(dir.File("picture.bin"), picture::FileStream::Mode::kCreate);
    picture::WritePictureData(jpeg, out);
  }
  std::string record = testing_support::ReadBytes(dir.File("picture.bin"));
  std::string jpegData = record.substr(13);
  struct {
    const char* name;
    std::string record;
    bool loads;
    const char* error;
  } cases[] = {
      {"JPEG", record, true, nullptr},
      {"unknown class", "\x07TBitmap" + jpegData, false, nullptr},
      {"name in other case", "\x0ctjpeggraphic" + jpegData, false, nullptr},
      {"name cut short", "\x0cTJpeg", false, "Stream read error"},
      {"empty", "", false, "Stream read error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    picture::MemoryStream stream(c.record);
    try {
      auto graphic = picture::ReadPictureData(stream);
      EXPECT_EQ(graphic ? graphic->Width() : 0, c.loads ? 20 : 0);
      EXPECT_EQ(c.error, nullptr);
    } catch (const picture::EReadError& e) {
      EXPECT_EQ(e.Message(), c.error);
    }
  }
  EXPECT_THROW(picture::FileStream(dir.File("missing"), picture::FileStream::Mode::kRead),
               platform::EFOpenError);

  // The JPEG class, described as "JPEG", makes JPEG pictures; no other is known.
  const picture::GraphicClass* jpegClass = picture::FindGraphicClass("TJpegGraphic");
  ASSERT_NE(jpegClass, nullptr);
  EXPECT_EQ(jpegClass->description, "JPEG");
  EXPECT_STREQ(jpegClass->make()->ClassName(), "TJpegGraphic");
  EXPECT_EQ(picture::FindGraphicClass("tjpeggraphic"), nullptr);
  EXPECT_EQ(picture::FindGraphicClass("TTestGraphic"), nullptr);
}

}  // namespace
