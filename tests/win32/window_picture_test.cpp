// The illustration of the page "Batch converter" as the screen shows it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "picture/picture_data.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"
#include "resources/illustration.h"
#include "support/scratch_dir.h"
#include "win32/setup_window_process.h"

namespace {

using namespace std::chrono_literals;

// The screen's pixels in the rectangle, 0x00RRGGBB, row by row from the top.
std::vector<uint32_t> ScreenPixels(const RECT& rect) {
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  platform::win32::ScopedGdiObject bitmap(
      ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  HGDIOBJ previous = ::SelectObject(memory, bitmap.Get());
  ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  ::GdiFlush();
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t*>(bits)[i] & 0xFFFFFF;
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

// A pixel of the decoded image, 0x00RRGGBB.
uint32_t ImagePixel(const toolkit::DibImage& image, int x, int y) {
  const uint8_t* p = picture::DibRow(image, y) + 3 * x;
  return static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
}

int Channel(uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

TEST(WindowPictureTest, IllustrationIsDrawnUnscaledAtTheTopLeftOfItsBox) {
  picture::MemoryStream record(resources::IllustrationPictureData());
  auto graphic = picture::ReadPictureData(record);
  ASSERT_TRUE(graphic && graphic->Width() == 140 && graphic->Height() == 89);
  const toolkit::DibImage& image = *graphic->Image();

  testing_support::ScratchDir dir;
  testing_support::SetupWindowProcess session(testing_support::InstallProduct(dir.Path()));
  ASSERT_NE(session.Window(), nullptr) << "no set-up window";
  session.ClickTab(1);
  RECT box;
  ::GetWindowRect(session.Control("Image1"), &box);
  ASSERT_EQ(box.right - box.left, 153);
  ASSERT_EQ(box.bottom - box.top, 95);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const uint32_t background = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);

  // Unlike the decoded image inside 140 x 89, unlike the group box's
  // background outside; the page paints after the click, so look until then.
  std::vector<uint32_t> shown;
  int picture = 0, strips = 0;
  auto at = [&](int x, int y) { return shown[static_cast<size_t>(y) * 153 + x]; };
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  do {
    ::Sleep(200);
    shown = ScreenPixels(box);
    picture = strips = 0;
    for (int y = 0; y < 95; ++y) {
      for (int x = 0; x < 153; ++x) {
        if (x < 140 && y < 89) {
          picture += at(x, y) != ImagePixel(image, x, y);
        } else {
          strips += at(x, y) != background;
        }
      }
    }
  } while ((picture || strips) && std::chrono::steady_clock::now() < deadline);
  EXPECT_EQ(picture, 0);
  EXPECT_EQ(strips, 0);

  // What the picture shows: the beige column header (#ECE9D8); the
  // highlighted menu entry (x 44 to 131, y 69 to 82), blue but for its
  // white text and icon.
  for (int shift : {16, 8, 0})
    EXPECT_NEAR(Channel(at(125, 5), shift), 0xECE9D8 >> shift & 0xFF, 12);
  int blue = 0;
  for (int y = 69; y <= 82; ++y) {
    for (int x = 44; x <= 131; ++x) blue += Channel(at(x, y), 0) > Channel(at(x, y), 16) + 80;
  }
  EXPECT_GT(blue, 14 * 88 * 2 / 3);
}

}  // namespace
