// The Printers-folder operations through the Win32 shell-namespace backend:
// its real COM calling path against small in-process IShellFolder,
// IEnumIDList and IMalloc objects of the test's own, then against Wine's
// real Printers folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>

#include "SHprinters/printer_actions.h"
#include "SHprinters/printers_folder.h"
#include "platform/fake/fake_shell_namespace.h"
#include "platform/rules/item_id_list.h"
#include "platform/services.h"
#include "platform/win32/win32_shell_namespace.h"

namespace {

// The lists are built as the fake namespace builds them: a printer's name
// lies at byte offset 4 of its item id.
using platform::fake::FakeShellNamespace;

// What the test's objects share and record.
struct World {
  std::vector<platform::fake::FakeShellItem> printers;
  std::set<void*> blocks;  // task memory handed out and not freed
  int liveObjects = 0;
  std::vector<std::string> executed;

  void* Alloc(size_t size) { return *blocks.insert(::CoTaskMemAlloc(size)).first; }
  void Free(void* block) {
    if (blocks.erase(block)) ::CoTaskMemFree(block);
  }
  LPITEMIDLIST List(const std::string& bytes) {
    return static_cast<LPITEMIDLIST>(std::memcpy(Alloc(bytes.size()), bytes.data(), bytes.size()));
  }
};

std::string Bytes(const void* list) {
  auto* bytes = static_cast<const uint8_t*>(list);
  return std::string(reinterpret_cast<const char*>(bytes), platform::IdListSize(bytes));
}

// IUnknown, counted in the world.
template <typename Interface>
class TestObject : public Interface {
 public:
  explicit TestObject(World& world) : world_(world) { ++world_.liveObjects; }
  virtual ~TestObject() { --world_.liveObjects; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  World& world_;
  ULONG refs_ = 1;
};

// Methods the backend never calls.
#define NOT_CALLED(method, ...) \
  HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { return E_NOTIMPL; }

class TestMalloc : public TestObject<IMalloc> {
 public:
  using TestObject::TestObject;
  void* STDMETHODCALLTYPE Alloc(SIZE_T size) override { return world_.Alloc(size); }
  void* STDMETHODCALLTYPE Realloc(void*, SIZE_T) override { return nullptr; }
  void STDMETHODCALLTYPE Free(void* block) override { world_.Free(block); }
  SIZE_T STDMETHODCALLTYPE GetSize(void*) override { return 0; }
  int STDMETHODCALLTYPE DidAlloc(void* block) override { return world_.blocks.count(block); }
  void STDMETHODCALLTYPE HeapMinimize() override {}
};

class TestEnum : public TestObject<IEnumIDList> {
 public:
  using TestObject::TestObject;
  HRESULT STDMETHODCALLTYPE Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) override {
    *fetched = 0;
    if (count != 1 || next_ >= world_.printers.size()) return S_FALSE;
    items[0] = world_.List(FakeShellNamespace::ChildList(world_.printers[next_++].name));
    *fetched = 1;
    return S_OK;
  }
  NOT_CALLED(Skip, ULONG)
  NOT_CALLED(Reset)
  NOT_CALLED(Clone, IEnumIDList**)

 private:
  size_t next_ = 0;
};

// The desktop, which binds to the Printers folder's list only, or the
// Printers folder.
class TestFolder : public TestObject<IShellFolder> {
 public:
  TestFolder(World& world, bool printers) : TestObject(world), printers_(printers) {}
  HRESULT STDMETHODCALLTYPE EnumObjects(HWND window, SHCONTF flags, IEnumIDList** out) override {
    bool asked = printers_ && !window && flags == (SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
    *out = asked ? new TestEnum(world_) : nullptr;
    return asked ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST list, IBindCtx* context, REFIID riid,
                                         void** out) override {
    bool asked = !printers_ && !context && IsEqualIID(riid, IID_IShellFolder) &&
                 Bytes(list) == FakeShellNamespace::PrintersLocation();
    *out = asked ? static_cast<IShellFolder*>(new TestFolder(world_, true)) : nullptr;
    return asked ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST child, SHGDNF flags,
                                             STRRET* name) override {
    std::string shown(reinterpret_cast<const char*>(child) + 4);
    for (const auto& item : world_.printers) {
      if (item.name != shown || flags != SHGDN_NORMAL) continue;
      name->uType = item.kind;
      if (item.kind == STRRET_WSTR) {
        std::wstring wide(shown.begin(), shown.end());
        name->pOleStr = static_cast<LPWSTR>(world_.Alloc((wide.size() + 1) * sizeof(WCHAR)));
        std::memcpy(name->pOleStr, wide.c_str(), (wide.size() + 1) * sizeof(WCHAR));
      } else if (item.kind == STRRET_OFFSET) {
        name->uOffset = 4;
      } else {
        std::strncpy(name->cStr, shown.c_str(), sizeof name->cStr);
      }
      return S_OK;
    }
    return E_FAIL;
  }
  NOT_CALLED(ParseDisplayName, HWND, IBindCtx*, LPWSTR, ULONG*, LPITEMIDLIST*, ULONG*)
  NOT_CALLED(BindToStorage, LPCITEMIDLIST, IBindCtx*, REFIID, void**)
  NOT_CALLED(CompareIDs, LPARAM, LPCITEMIDLIST, LPCITEMIDLIST)
  NOT_CALLED(CreateViewObject, HWND, REFIID, void**)
  NOT_CALLED(GetAttributesOf, UINT, LPCITEMIDLIST*, SFGAOF*)
  NOT_CALLED(GetUIObjectOf, HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*, void**)
  NOT_CALLED(SetNameOf, HWND, LPCITEMIDLIST, LPCWSTR, SHGDNF, LPITEMIDLIST*)

 private:
  bool printers_;
};

platform::win32::ShellEntryPoints TestEntryPoints(World& world) {
  platform::win32::ShellEntryPoints entry;
  entry.getMalloc = [&world](DWORD context, IMalloc** out) {
    *out = context == MEMCTX_TASK ? new TestMalloc(world) : nullptr;
    return *out ? S_OK : E_FAIL;
  };
  entry.getDesktopFolder = [&world](IShellFolder** out) {
    *out = new TestFolder(world, false);
    return S_OK;
  };
  entry.getSpecialFolderLocation = [&world](HWND window, int csidl, LPITEMIDLIST* out) {
    bool asked = !window && csidl == CSIDL_PRINTERS;
    *out = asked ? world.List(FakeShellNamespace::PrintersLocation()) : nullptr;
    return asked ? S_OK : E_FAIL;
  };
  entry.shellExecuteEx = [&world](SHELLEXECUTEINFOA* info) {
    // Every field the request names (pointers: whether set), and the list.
    char fields[128];
    std::snprintf(fields, sizeof fields, "%lu %lx %d %s %d %d %d %d ", info->cbSize, info->fMask,
                  info->hwnd != nullptr, info->lpVerb ? info->lpVerb : "-", info->lpFile != nullptr,
                  info->lpParameters != nullptr, info->lpDirectory != nullptr, info->nShow);
    world.executed.push_back(fields + Bytes(info->lpIDList));
    return TRUE;
  };
  entry.freeTaskMemory = [&world](void* block) { world.Free(block); };
  return entry;
}

TEST(ShellNamespaceTest, RealComCallingPathAgainstTestObjects) {
  World world;
  world.printers = {{"Add Printer", STRRET_CSTR},
                    {"PDF Printer", STRRET_WSTR},
                    {"Offset Printer", STRRET_OFFSET},
                    {std::string(300, 'w'), STRRET_WSTR}};
  auto shell = platform::win32::MakeShellNamespace(TestEntryPoints(world));
  platform::ScopedServices scope({.shellNamespace = shell.get()});
  auto absolute = FakeShellNamespace::AbsoluteList;
  {
    auto allocator = shell->TaskAllocator();
    const std::pair<std::string, std::string> finds[] = {
        {"pdf printer", absolute("PDF Printer")},
        {"OFFSET printer", absolute("Offset Printer")},
        {"add printer", absolute("Add Printer")},
        {std::string(255, 'w'), ""},  // a wide name that does not fit 256 bytes
        {"Missing", ""}};
    for (const auto& [name, list] : finds) {
      auto item = shprinters::FindPrinterItem(name, allocator.get());
      EXPECT_EQ(item ? Bytes(item.Get()) : "", list) << name.substr(0, 12);
    }
    EXPECT_EQ(Bytes(shprinters::FirstPrinterItem(allocator.get()).Get()), absolute("Add Printer"));
  }
  EXPECT_TRUE(shprinters::OpenAddPrinter());
  EXPECT_TRUE(shprinters::ShowPrinterProperties("pdf printer"));
  EXPECT_EQ(world.executed,
            (std::vector<std::string>{"60 40c 0 - 0 0 0 10 " + absolute("Add Printer"),
                                      "60 40c 0 Properties 0 0 0 10 " + absolute("PDF Printer")}));
  EXPECT_TRUE(world.blocks.empty()) << world.blocks.size() << " blocks not freed";
  EXPECT_EQ(world.liveObjects, 0) << "objects not released";
}

// Wine's Printers folder binds, but its EnumObjects answers E_NOTIMPL: both
// actions end quietly with false.
TEST(ShellNamespaceTest, WinesPrintersFolderDoesNotEnumerate) {
  auto& shell = *platform::Current().shellNamespace;
  auto allocator = shell.TaskAllocator();
  auto desktop = shell.DesktopFolder();
  ASSERT_TRUE(allocator && desktop);
  auto location = shprinters::PrintersFolderLocation(desktop.get(), allocator.get());
  ASSERT_TRUE(location);
  auto printers = desktop->BindToFolder(location.Get());
  ASSERT_NE(printers, nullptr);
  EXPECT_EQ(printers->EnumObjects(platform::kShcontfFolders | platform::kShcontfNonFolders),
            nullptr);
  EXPECT_FALSE(shprinters::OpenAddPrinter());
  EXPECT_FALSE(shprinters::ShowPrinterProperties("PDF Printer"));
}

}  // namespace
