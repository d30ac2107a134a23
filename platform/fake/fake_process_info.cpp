#include "platform/fake/fake_process_info.h"

#include "platform/rules/path.h"

namespace platform::fake {

ModuleLocation FakeProcessInfo::ModuleOf(const void* address) {
  return {path::FileNamePart(programPath_, path::Style::Windows),
          reinterpret_cast<uintptr_t>(address) - moduleBase};
}

}  // namespace platform::fake
