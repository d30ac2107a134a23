// Linux has no shell namespace with a Printers folder: the allocator works,
// but there is no desktop folder, no special folder and nothing to execute,
// so the Printers-folder operations end quietly with their false result.
#include <cstdlib>

#include "platform/posix/posix_backends.h"

namespace platform::posix {

namespace {

class MallocAllocator : public ShellAllocator {
 public:
  void* Alloc(size_t size) override { return std::malloc(size ? size : 1); }
  void Free(void* block) override { std::free(block); }
};

class PosixShellNamespace : public ShellNamespace {
 public:
  std::unique_ptr<ShellAllocator> TaskAllocator() override {
    return std::make_unique<MallocAllocator>();
  }
  std::unique_ptr<ShellFolder> DesktopFolder() override { return nullptr; }
  uint8_t* SpecialFolderLocation(int) override { return nullptr; }
  bool Execute(const ShellExecuteRequest&) override { return false; }
  size_t AnsiFromWide(const std::u16string& text, char* buffer, size_t size) override {
    return Latin1FromWide(text, buffer, size);
  }
};

}  // namespace

std::unique_ptr<ShellNamespace> MakeShellNamespace() {
  return std::make_unique<PosixShellNamespace>();
}

}  // namespace platform::posix
