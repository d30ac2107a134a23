#include "toolkit/win32/picture_box.h"

#include <cstring>
#include <vector>

#include "platform/win32/scoped_handle.h"

namespace toolkit::win32 {

namespace {

// On a palette device: a halftone palette selected and realised for the
// scope, the one before put back.
class ScopedHalftonePalette {
 public:
  explicit ScopedHalftonePalette(HDC dc) : dc_(dc) {
    if (!(::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) return;
    palette_.Reset(::CreateHalftonePalette(dc));
    if (!palette_.IsValid()) return;
    previous_ = ::SelectPalette(dc, static_cast<HPALETTE>(palette_.Get()), FALSE);
    ::RealizePalette(dc);
  }
  ~ScopedHalftonePalette() {
    if (previous_) ::SelectPalette(dc_, previous_, FALSE);
  }
  ScopedHalftonePalette(const ScopedHalftonePalette&) = delete;
  ScopedHalftonePalette& operator=(const ScopedHalftonePalette&) = delete;

 private:
  HDC dc_;
  platform::win32::ScopedGdiObject palette_;
  HPALETTE previous_ = nullptr;
};

bool Drawable(const DibImage& image) {
  return image.width > 0 && image.height > 0 &&
         (image.bitsPerPixel == 24 ||
          (image.bitsPerPixel == 8 && !image.palette.empty() && image.palette.size() <= 256)) &&
         image.bits.size() >= static_cast<size_t>(image.Stride()) * image.height;
}

// The image 1:1 with its top-left corner at (x, y).
void DrawImage(HDC dc, int x, int y, const DibImage& image) {
  // BITMAPINFO with the palette after the header; an RGBQUAD is 0x00RRGGBB.
  std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + image.palette.size() * sizeof(RGBQUAD));
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = image.width;
  header->biHeight = image.height;  // bottom-up rows
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(image.bitsPerPixel);
  header->biCompression = BI_RGB;
  header->biXPelsPerMeter = image.xPixelsPerMetre;
  header->biYPelsPerMeter = image.yPixelsPerMetre;
  header->biClrUsed = static_cast<DWORD>(image.palette.size());
  if (!image.palette.empty()) {
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), image.palette.data(),
                image.palette.size() * sizeof(RGBQUAD));
  }
  ScopedHalftonePalette palette(dc);
  int previousMode = ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchDIBits(dc, x, y, image.width, image.height, 0, 0, image.width, image.height,
                  image.bits.data(), reinterpret_cast<const BITMAPINFO*>(info.data()),
                  DIB_RGB_COLORS, SRCCOPY);
  if (previousMode) ::SetStretchBltMode(dc, previousMode);
}

}  // namespace

void PictureBoxWindow::Create(const Placement& placement) {
  CreateControl("STATIC", SS_OWNERDRAW, 0, placement, Model().Text(), placement.font);
}

bool PictureBoxWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& box = item.rcItem;
  int saved = ::SaveDC(dc);
  const auto& picture = static_cast<Image&>(Model()).Picture();
  if (const DibImage* image = picture ? picture->Image() : nullptr; image && Drawable(*image)) {
    DrawImage(dc, box.left, box.top, *image);
    ::ExcludeClipRect(dc, box.left, box.top, box.left + image->width, box.top + image->height);
  }
  auto background = reinterpret_cast<HBRUSH>(
      ::SendMessageA(::GetParent(Handle()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Handle())));
  ::FillRect(dc, &box, background ? background : ::GetSysColorBrush(COLOR_BTNFACE));
  ::RestoreDC(dc, saved);
  return true;
}

void PictureBoxWindow::OnChange(Change change, int row) {
  if (change == Change::kPicture) {
    ::InvalidateRect(Handle(), nullptr, FALSE);
  } else {
    ControlWindow::OnChange(change, row);
  }
}

}  // namespace toolkit::win32
