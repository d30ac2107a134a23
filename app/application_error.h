// The box shown when an error escapes the print job.
#pragma once

#include <cstdint>
#include <string>

namespace app {

// "Exception <kind> in module <module> at <offset as 8 hex digits>.\n<text>"
// with a "." appended to a text that is not empty and does not end in one.
std::string FormatApplicationError(const std::string& kind, const std::string& moduleFileName,
                                   uintptr_t offset, const std::string& text);

// Shows the task-modal "Application Error" box (error icon, OK) for an error
// raised at codeAddress.
void ShowApplicationError(const std::string& kind, const void* codeAddress,
                          const std::string& text);

}  // namespace app
