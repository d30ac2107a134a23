// What a form's Win32 window promises to programs that look at it from
// outside (the tests): every control is a window whose control id is
// kFirstControlId plus the component's index in the form; pages are windows
// of the class kPageClass.
#pragma once

namespace toolkit::win32 {

inline constexpr int kFirstControlId = 100;
inline constexpr char kPageClass[] = "PdfPrinterPage";
inline constexpr char kFormClass[] = "PdfPrinterSetup";

}  // namespace toolkit::win32
