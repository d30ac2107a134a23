// Memory in another process, for the window messages that carry pointers
// (list view items and columns, tab items, rectangles).
#pragma once

#include <cstddef>

#include "platform/win32/windows_api.h"

namespace testing_support {

class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size)
      : process_(process),
        address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* Address() const { return static_cast<char*>(address_); }
  void Write(size_t offset, const void* data, size_t size) {
    ::WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
  }
  void Read(size_t offset, void* data, size_t size) {
    ::ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
  }

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace testing_support
