#include "platform/fake/fake_shell_namespace.h"

#include <cstdlib>
#include <cstring>

#include "platform/rules/item_id_list.h"

namespace platform::fake {

namespace {

std::string ItemId(const std::string& content) {
  size_t cb = content.size() + 2;
  return std::string{static_cast<char>(cb & 0xFF), static_cast<char>(cb >> 8)} + content;
}

const std::string kTerminator(2, '\0');

// Counts itself among the namespace's live objects.
class Counted {
 public:
  explicit Counted(FakeShellNamespace& shell) : shell_(shell) { ++shell_.liveObjects; }
  ~Counted() { --shell_.liveObjects; }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;

 protected:
  FakeShellNamespace& shell_;
};

class FakeAllocator : public ShellAllocator, Counted {
 public:
  using Counted::Counted;
  void* Alloc(size_t size) override {
    return shell_.allocationsFail ? nullptr : shell_.AllocTracked(size);
  }
  void Free(void* block) override { shell_.FreeTracked(block); }
};

class FakeEnumerator : public ShellEnumerator, Counted {
 public:
  using Counted::Counted;
  uint8_t* Next() override {
    shell_.Log("Next");
    if (next_ >= shell_.printers.size()) return nullptr;
    std::string list = FakeShellNamespace::ChildList(shell_.printers[next_++].name);
    void* block = shell_.AllocTracked(list.size());
    std::memcpy(block, list.data(), list.size());
    return static_cast<uint8_t*>(block);
  }

 private:
  size_t next_ = 0;
};

class FakeFolder : public ShellFolder, Counted {
 public:
  FakeFolder(FakeShellNamespace& shell, bool printers) : Counted(shell), printers_(printers) {}

  std::unique_ptr<ShellFolder> BindToFolder(const uint8_t* list) override {
    shell_.Log("BindToFolder");
    std::string location = FakeShellNamespace::PrintersLocation();
    if (shell_.bindRefused || printers_ || IdListSize(list) != location.size() ||
        std::memcmp(list, location.data(), location.size()) != 0) {
      return nullptr;
    }
    return std::make_unique<FakeFolder>(shell_, true);
  }

  std::unique_ptr<ShellEnumerator> EnumObjects(uint32_t flags) override {
    shell_.Log("EnumObjects " + std::to_string(flags));
    if (shell_.enumerationRefused || !printers_) return nullptr;
    return std::make_unique<FakeEnumerator>(shell_);
  }

  std::optional<ShellDisplayName> DisplayNameOf(const uint8_t* child, uint32_t flags) override {
    shell_.Log("DisplayNameOf " + std::to_string(flags));
    std::string name(reinterpret_cast<const char*>(child) + 4);
    const FakeShellItem* item = nullptr;
    for (const auto& candidate : shell_.printers) {
      if (candidate.name == name && !item) item = &candidate;
    }
    if (!printers_ || !item || item->nameRefused) return std::nullopt;
    ShellDisplayName shown;
    shown.kind = item->kind;
    if (item->kind == kStrretWstr) {
      for (char c : name) shown.wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    } else if (item->kind == kStrretOffset) {
      shown.offset = 4;
    } else if (item->kind == kStrretCstr) {
      shown.cStr = name + '\0';
    }
    return shown;
  }

 private:
  bool printers_;
};

}  // namespace

FakeShellNamespace::~FakeShellNamespace() {
  for (void* block : blocks_) std::free(block);
}

std::unique_ptr<ShellAllocator> FakeShellNamespace::TaskAllocator() {
  if (allocatorRefused) return nullptr;
  return std::make_unique<FakeAllocator>(*this);
}

std::unique_ptr<ShellFolder> FakeShellNamespace::DesktopFolder() {
  if (desktopRefused) return nullptr;
  return std::make_unique<FakeFolder>(*this, false);
}

uint8_t* FakeShellNamespace::SpecialFolderLocation(int csidl) {
  Log("SpecialFolderLocation " + std::to_string(csidl));
  if (locationRefused || csidl != kCsidlPrinters) return nullptr;
  std::string list = PrintersLocation();
  void* block = AllocTracked(list.size());
  std::memcpy(block, list.data(), list.size());
  return static_cast<uint8_t*>(block);
}

bool FakeShellNamespace::Execute(const ShellExecuteRequest& request) {
  executed_.push_back({request, std::string(reinterpret_cast<const char*>(request.idList),
                                            IdListSize(request.idList))});
  return true;
}

size_t FakeShellNamespace::AnsiFromWide(const std::u16string& text, char* buffer, size_t size) {
  return Latin1FromWide(text, buffer, size);
}

std::string FakeShellNamespace::PrintersLocation() {
  return ItemId(std::string("\x1F\x00", 2) + "::printers") + kTerminator;
}

std::string FakeShellNamespace::ChildList(const std::string& name) {
  return ItemId(std::string("\x32\x00", 2) + name + '\0') + kTerminator;
}

std::string FakeShellNamespace::AbsoluteList(const std::string& name) {
  std::string folder = PrintersLocation();
  return folder.substr(0, folder.size() - kTerminator.size()) + ChildList(name);
}

void* FakeShellNamespace::AllocTracked(size_t size) {
  void* block = std::malloc(size ? size : 1);
  blocks_.insert(block);
  return block;
}

void FakeShellNamespace::FreeTracked(void* block) {
  if (!block) return;
  if (blocks_.erase(block) == 0) {
    ++badFrees_;
    return;
  }
  std::free(block);
}

}  // namespace platform::fake
