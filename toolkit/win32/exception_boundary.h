// The hard boundary at every window procedure of the binding: no exception
// crosses into the system's code. An error that reaches it is shown the way
// the form shows an error that ends an event.
#pragma once

#include <exception>

#include "platform/win32/windows_api.h"
#include "toolkit/control_model.h"

namespace toolkit::win32 {

// Runs one message's work and returns its result; after an error, `failed`.
template <typename Work>
LRESULT Guarded(Form* form, LRESULT failed, Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    if (form) form->ShowError(std::current_exception());
    return failed;
  }
}

}  // namespace toolkit::win32
