#include "SHprinters/printers_folder.h"

#include <algorithm>
#include <memory>

#include "SHprinters/item_id_lists.h"
#include "platform/rules/ascii.h"
#include "platform/services.h"

namespace shprinters {

namespace {

using platform::ShellAllocator;

// Everything held while the Printers folder's items are walked, released in
// reverse order.
struct PrintersFolderItems {
  std::unique_ptr<platform::ShellFolder> desktop;
  TaskMemory location;
  std::unique_ptr<platform::ShellFolder> folder;
  std::unique_ptr<platform::ShellEnumerator> items;
};

PrintersFolderItems OpenPrintersFolder(ShellAllocator* allocator) {
  PrintersFolderItems open;
  if (!allocator) return open;
  open.desktop = platform::Current().shellNamespace->DesktopFolder();
  if (!open.desktop) return open;
  open.location = PrintersFolderLocation(open.desktop.get(), allocator);
  if (!open.location) return open;
  open.folder = open.desktop->BindToFolder(open.location.Get());
  if (!open.folder) return open;
  open.items = open.folder->EnumObjects(platform::kShcontfFolders | platform::kShcontfNonFolders);
  return open;
}

bool SameName(const char* a, const char* b) {
  for (; platform::ascii::ToUpper(*a) == platform::ascii::ToUpper(*b); ++a, ++b) {
    if (*a == '\0') return true;
  }
  return false;
}

// Up to the first zero within the available bytes, at most size - 1 of them.
void CopyText(const char* text, size_t available, char* buffer, size_t size) {
  size_t length = std::find(text, text + std::min(available, size - 1), '\0') - text;
  std::copy(text, text + length, buffer);
  buffer[length] = '\0';
}

}  // namespace

TaskMemory FirstPrinterItem(ShellAllocator* allocator) {
  PrintersFolderItems open = OpenPrintersFolder(allocator);
  if (!open.items) return {};
  TaskMemory item(allocator, open.items->Next());
  if (!item) return {};
  return ConcatIdLists(allocator, open.location.Get(), item.Get());
}

TaskMemory FindPrinterItem(const std::string& name, ShellAllocator* allocator) {
  PrintersFolderItems open = OpenPrintersFolder(allocator);
  if (!open.items) return {};
  for (;;) {
    TaskMemory item(allocator, open.items->Next());
    if (!item) return {};
    // Room for a name of 255 characters in UTF-8.
    char shown[3 * 256];
    if (DisplayNameText(open.folder.get(), item.Get(), platform::kShgdnNormal, shown,
                        sizeof shown) &&
        SameName(shown, name.c_str())) {
      return ConcatIdLists(allocator, open.location.Get(), item.Get());
    }
  }
}

TaskMemory PrintersFolderLocation(platform::ShellFolder* desktop, ShellAllocator* allocator) {
  if (!desktop) return {};
  return TaskMemory(allocator, platform::Current().shellNamespace->SpecialFolderLocation(
                                   platform::kCsidlPrinters));
}

bool DisplayNameText(platform::ShellFolder* folder, const uint8_t* item, uint32_t flags,
                     char* buffer, size_t size) {
  if (!folder || !item || size == 0) return false;
  std::optional<platform::ShellDisplayName> name = folder->DisplayNameOf(item, flags);
  if (!name) return false;
  switch (name->kind) {
    case platform::kStrretWstr:
      return platform::Current().shellNamespace->AnsiFromWide(name->wide, buffer, size) != 0;
    case platform::kStrretOffset: {
      size_t itemSize = platform::IdItemSize(item);
      if (name->offset >= itemSize) return false;
      CopyText(reinterpret_cast<const char*>(item) + name->offset, itemSize - name->offset, buffer,
               size);
      return true;
    }
    case platform::kStrretCstr:
      CopyText(name->cStr.data(), name->cStr.size(), buffer, size);
      return true;
    default:
      return false;
  }
}

}  // namespace shprinters
