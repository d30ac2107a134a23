// A Win32 image list made from the model's: 24-bit colour with a mask from
// the transparent pixels.
#pragma once

#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"
#include "toolkit/control_model.h"

namespace toolkit::win32 {

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::ImageList_Destroy(h); }
};
using ScopedImageList = platform::win32::ScopedHandle<ImageListTraits>;

// Raises platform::Error when the list or one of its pictures cannot be
// made.
ScopedImageList MakeImageList(const ImageList& images);

}  // namespace toolkit::win32
