// What the Win32 set-up window promises to programs that look at it from
// outside (the tests): every control is a window whose control id is
// kFirstControlId plus the control's index in the layout table; pages are
// windows of the class kPageClass.
#pragma once

namespace platform::win32 {

inline constexpr int kFirstControlId = 100;
inline constexpr char kPageClass[] = "PdfPrinterPage";
inline constexpr char kSetupWindowClass[] = "PdfPrinterSetup";

}  // namespace platform::win32
