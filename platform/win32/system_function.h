// A function of a system library looked up by name, for the functions that
// the oldest Windows the program runs on may lack: null when it is absent.
#pragma once

#include "platform/win32/windows_api.h"

namespace platform::win32 {

template <typename Function>
Function LookUpFunction(HMODULE module, const char* name) {
  // Through a plain function pointer: FARPROC's own type fits no other.
  return module ? reinterpret_cast<Function>(
                      reinterpret_cast<void (*)()>(::GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace platform::win32
