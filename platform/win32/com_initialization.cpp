#include "platform/win32/com_initialization.h"

#include "platform/win32/scoped_handle.h"

namespace platform::win32 {

void InitializeCom() { static ScopedComInitialize com; }

}  // namespace platform::win32
