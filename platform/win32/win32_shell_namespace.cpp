// The shell namespace through COM. A call counts as successful when its
// HRESULT has the high bit clear (S_FALSE too); an out-pointer that stays
// null counts as a failure all the same.
#include "platform/win32/win32_shell_namespace.h"

#include <utility>

#include "platform/win32/com_initialization.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_backends.h"

namespace platform::win32 {

namespace {

class ComAllocator : public ShellAllocator {
 public:
  explicit ComAllocator(ScopedComPtr<IMalloc> malloc) : malloc_(std::move(malloc)) {}
  void* Alloc(size_t size) override { return malloc_->Alloc(size); }
  void Free(void* block) override { malloc_->Free(block); }

 private:
  ScopedComPtr<IMalloc> malloc_;
};

class ComEnumerator : public ShellEnumerator {
 public:
  explicit ComEnumerator(ScopedComPtr<IEnumIDList> enumerator)
      : enumerator_(std::move(enumerator)) {}
  uint8_t* Next() override {
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    if (FAILED(enumerator_->Next(1, &item, &fetched)) || fetched == 0) return nullptr;
    return reinterpret_cast<uint8_t*>(item);
  }

 private:
  ScopedComPtr<IEnumIDList> enumerator_;
};

class ComFolder : public ShellFolder {
 public:
  ComFolder(ScopedComPtr<IShellFolder> folder, std::function<void(void*)> freeTaskMemory)
      : folder_(std::move(folder)), freeTaskMemory_(std::move(freeTaskMemory)) {}

  std::unique_ptr<ShellFolder> BindToFolder(const uint8_t* list) override {
    ScopedComPtr<IShellFolder> bound;
    if (FAILED(folder_->BindToObject(reinterpret_cast<LPCITEMIDLIST>(list), nullptr,
                                     IID_IShellFolder,
                                     reinterpret_cast<void**>(bound.Receive()))) ||
        !bound.IsValid()) {
      return nullptr;
    }
    return std::make_unique<ComFolder>(std::move(bound), freeTaskMemory_);
  }

  std::unique_ptr<ShellEnumerator> EnumObjects(uint32_t flags) override {
    ScopedComPtr<IEnumIDList> enumerator;
    // S_FALSE may come with no enumerator: nothing to enumerate.
    if (FAILED(folder_->EnumObjects(nullptr, flags, enumerator.Receive())) ||
        !enumerator.IsValid()) {
      return nullptr;
    }
    return std::make_unique<ComEnumerator>(std::move(enumerator));
  }

  std::optional<ShellDisplayName> DisplayNameOf(const uint8_t* child, uint32_t flags) override {
    STRRET value{};
    if (FAILED(folder_->GetDisplayNameOf(reinterpret_cast<LPCITEMIDLIST>(child), flags, &value))) {
      return std::nullopt;
    }
    ShellDisplayName name;
    name.kind = value.uType;
    switch (value.uType) {
      case STRRET_WSTR:
        if (value.pOleStr) {
          for (const WCHAR* c = value.pOleStr; *c; ++c) name.wide += static_cast<char16_t>(*c);
          freeTaskMemory_(value.pOleStr);
        }
        break;
      case STRRET_OFFSET:
        name.offset = value.uOffset;
        break;
      case STRRET_CSTR:
        name.cStr.assign(value.cStr, sizeof value.cStr);
        break;
    }
    return name;
  }

 private:
  ScopedComPtr<IShellFolder> folder_;
  std::function<void(void*)> freeTaskMemory_;
};

class ComShellNamespace : public ShellNamespace {
 public:
  explicit ComShellNamespace(ShellEntryPoints entryPoints) : entryPoints_(std::move(entryPoints)) {}

  std::unique_ptr<ShellAllocator> TaskAllocator() override {
    InitializeCom();
    ScopedComPtr<IMalloc> malloc;
    if (FAILED(entryPoints_.getMalloc(MEMCTX_TASK, malloc.Receive())) || !malloc.IsValid()) {
      return nullptr;
    }
    return std::make_unique<ComAllocator>(std::move(malloc));
  }

  std::unique_ptr<ShellFolder> DesktopFolder() override {
    InitializeCom();
    ScopedComPtr<IShellFolder> desktop;
    if (FAILED(entryPoints_.getDesktopFolder(desktop.Receive())) || !desktop.IsValid()) {
      return nullptr;
    }
    return std::make_unique<ComFolder>(std::move(desktop), entryPoints_.freeTaskMemory);
  }

  uint8_t* SpecialFolderLocation(int csidl) override {
    InitializeCom();
    LPITEMIDLIST list = nullptr;
    if (FAILED(entryPoints_.getSpecialFolderLocation(nullptr, csidl, &list))) return nullptr;
    return reinterpret_cast<uint8_t*>(list);
  }

  bool Execute(const ShellExecuteRequest& request) override {
    InitializeCom();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = request.mask;
    info.lpVerb = request.verb.empty() ? nullptr : request.verb.c_str();
    info.nShow = request.showMode;
    info.lpIDList = const_cast<uint8_t*>(request.idList);
    return entryPoints_.shellExecuteEx(&info) != FALSE;
  }

  size_t AnsiFromWide(const std::u16string& text, char* buffer, size_t size) override {
    std::wstring wide(text.begin(), text.end());
    int written = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, buffer, static_cast<int>(size),
                                        nullptr, nullptr);
    return written > 0 ? static_cast<size_t>(written) : 0;
  }

 private:
  ShellEntryPoints entryPoints_;
};

}  // namespace

std::unique_ptr<ShellNamespace> MakeShellNamespace(ShellEntryPoints entryPoints) {
  return std::make_unique<ComShellNamespace>(std::move(entryPoints));
}

std::unique_ptr<ShellNamespace> MakeShellNamespace() { return MakeShellNamespace({}); }

}  // namespace platform::win32
