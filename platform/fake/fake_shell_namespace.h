// A shell namespace whose Printers folder holds an ordered list of items with
// their display names. Every step on the way can be made to fail, calls are
// logged, and the memory and objects it hands out are counted, so a test can
// tell that every list was freed and every object released. What it hands
// out must not outlive it.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/shell_namespace.h"

namespace platform::fake {

struct FakeShellItem {
  std::string name;             // display name, single-byte
  uint32_t kind = kStrretCstr;  // how the folder reports it (any value)
  bool nameRefused = false;     // GetDisplayNameOf fails for it
};

struct ExecutedRequest {
  ShellExecuteRequest request;  // idList points at memory that is freed by now
  std::string idList;           // the list's bytes, terminator included
};

class FakeShellNamespace : public ShellNamespace {
 public:
  FakeShellNamespace() = default;
  ~FakeShellNamespace() override;
  FakeShellNamespace(const FakeShellNamespace&) = delete;
  FakeShellNamespace& operator=(const FakeShellNamespace&) = delete;

  // ShellNamespace.
  std::unique_ptr<ShellAllocator> TaskAllocator() override;
  std::unique_ptr<ShellFolder> DesktopFolder() override;
  uint8_t* SpecialFolderLocation(int csidl) override;
  bool Execute(const ShellExecuteRequest& request) override;
  // Latin1FromWide.
  size_t AnsiFromWide(const std::u16string& text, char* buffer, size_t size) override;

  // The Printers folder's items, in enumeration order.
  std::vector<FakeShellItem> printers;
  // Refusals, step by step.
  bool allocatorRefused = false;
  bool allocationsFail = false;  // the allocator's Alloc answers null
  bool desktopRefused = false;
  bool locationRefused = false;
  bool bindRefused = false;
  bool enumerationRefused = false;

  // "SpecialFolderLocation 4", "BindToFolder", "EnumObjects 96",
  // "DisplayNameOf 0", "Next", in the order called.
  const std::vector<std::string>& Calls() const { return calls_; }
  const std::vector<ExecutedRequest>& Executed() const { return executed_; }
  // Blocks handed out (lists, allocations) and not freed; frees of memory
  // that was not handed out; allocators, folders, enumerators not released.
  int LiveBlocks() const { return static_cast<int>(blocks_.size()); }
  int BadFrees() const { return badFrees_; }
  int LiveObjects() const { return liveObjects; }

  // The lists as the fake builds them: the Printers folder's location, and
  // the child list of an item (its name at byte offset 4).
  static std::string PrintersLocation();
  static std::string ChildList(const std::string& name);
  // The absolute list of that item: the folder's item ids, then the child's.
  static std::string AbsoluteList(const std::string& name);

  // For the objects it hands out.
  void* AllocTracked(size_t size);
  void FreeTracked(void* block);
  void Log(std::string call) { calls_.push_back(std::move(call)); }
  int liveObjects = 0;

 private:
  std::vector<std::string> calls_;
  std::vector<ExecutedRequest> executed_;
  std::set<void*> blocks_;
  int badFrees_ = 0;
};

}  // namespace platform::fake
