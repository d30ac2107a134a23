// The shell's namespace, as far as the Printers-folder operations reach into
// it: the shell's task allocator, folders with their enumeration and display
// names, and the execution of a verb on an item. Item-id lists are bytes as
// platform/rules/item_id_list.h describes; those the namespace hands out (a folder's
// location, an enumerated child) are blocks of the task allocator that the
// caller frees with it. Allocators, folders and enumerators are released when
// their owner dies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

enum : uint32_t {
  kShcontfFolders = 0x20,
  kShcontfNonFolders = 0x40,
  kShgdnNormal = 0,
  kSeeMaskInvokeIdList = 0xC,
  kSeeMaskFlagNoUi = 0x400,
};
enum : int { kCsidlPrinters = 4, kSwShowDefault = 10 };
// The kinds of display-name value.
enum : uint32_t { kStrretWstr = 0, kStrretOffset = 1, kStrretCstr = 2 };

// The task allocator (IMalloc).
class ShellAllocator {
 public:
  virtual ~ShellAllocator() = default;
  // A block of size bytes, or null.
  virtual void* Alloc(size_t size) = 0;
  // Frees a block of this allocator; null is harmless.
  virtual void Free(void* block) = 0;
};

// A display name as the shell reports it (STRRET).
struct ShellDisplayName {
  uint32_t kind = kStrretCstr;
  std::u16string wide;  // kStrretWstr: the text, without its terminator
  uint32_t offset = 0;  // kStrretOffset: where an ANSI text starts in the item id
  std::string cStr;     // kStrretCstr: the bytes held in the value (260 on Windows)
};

// An enumeration of a folder's items (IEnumIDList).
class ShellEnumerator {
 public:
  virtual ~ShellEnumerator() = default;
  // Fetches one item: its child list, or null when the call fails or
  // fetches nothing (the end).
  virtual uint8_t* Next() = 0;
};

// A folder of the namespace (IShellFolder).
class ShellFolder {
 public:
  virtual ~ShellFolder() = default;
  // BindToObject for IShellFolder, with no bind context: the folder at the
  // list (relative to this one), or null.
  virtual std::unique_ptr<ShellFolder> BindToFolder(const uint8_t* list) = 0;
  // EnumObjects with no owner window and the kShcontf... flags, or null.
  virtual std::unique_ptr<ShellEnumerator> EnumObjects(uint32_t flags) = 0;
  // GetDisplayNameOf a child list of this folder with kShgdn... flags, or
  // nothing when the shell refuses.
  virtual std::optional<ShellDisplayName> DisplayNameOf(const uint8_t* child, uint32_t flags) = 0;
};

// What ShellExecuteEx is asked; every field not named here is zero (no
// owner window, no file, parameters or folder).
struct ShellExecuteRequest {
  uint32_t mask = 0;                // kSeeMask... flags
  std::string verb;                 // "" for none: the item's default verb
  int showMode = 0;                 // SW_ value
  const uint8_t* idList = nullptr;  // the item's absolute list
};

class ShellNamespace {
 public:
  virtual ~ShellNamespace() = default;
  // CoGetMalloc(MEMCTX_TASK), or null.
  virtual std::unique_ptr<ShellAllocator> TaskAllocator() = 0;
  // SHGetDesktopFolder, or null.
  virtual std::unique_ptr<ShellFolder> DesktopFolder() = 0;
  // SHGetSpecialFolderLocation with no owner window: the folder's list, or
  // null.
  virtual uint8_t* SpecialFolderLocation(int csidl) = 0;
  // ShellExecuteEx: true when the shell took the request. It does not wait
  // for what the verb opens.
  virtual bool Execute(const ShellExecuteRequest& request) = 0;
  // WideCharToMultiByte in the system's ANSI code page, flags 0, of the whole
  // text and its terminator into buffer: the bytes written, terminator
  // included, or 0 when it does not fit into size bytes.
  virtual size_t AnsiFromWide(const std::u16string& text, char* buffer, size_t size) = 0;
};

// AnsiFromWide where there is no system code page to ask: code units up to
// 0xFF become that byte, all others "?". The text ends at its first zero.
size_t Latin1FromWide(const std::u16string& text, char* buffer, size_t size);

}  // namespace platform
