#include "platform/screen.h"
#include "platform/win32/windows_api.h"

namespace platform {

int ScreenPixelsPerInch() {
  HDC screen = ::GetDC(nullptr);
  if (!screen) return 96;
  int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return pixelsPerInch > 0 ? pixelsPerInch : 96;
}

}  // namespace platform
