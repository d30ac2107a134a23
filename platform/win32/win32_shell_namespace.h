// The shell-namespace backend's ways into the system. Tests replace them to
// run the backend's real COM calling path against objects of their own.
#pragma once

#include <functional>
#include <memory>

#include "platform/shell_namespace.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

struct ShellEntryPoints {
  std::function<HRESULT(DWORD, IMalloc**)> getMalloc = ::CoGetMalloc;
  std::function<HRESULT(IShellFolder**)> getDesktopFolder = ::SHGetDesktopFolder;
  std::function<HRESULT(HWND, int, LPITEMIDLIST*)> getSpecialFolderLocation =
      ::SHGetSpecialFolderLocation;
  std::function<BOOL(SHELLEXECUTEINFOA*)> shellExecuteEx = ::ShellExecuteExA;
  // Frees the wide text of a display name.
  std::function<void(void*)> freeTaskMemory = ::CoTaskMemFree;
};

std::unique_ptr<ShellNamespace> MakeShellNamespace(ShellEntryPoints entryPoints);

}  // namespace platform::win32
