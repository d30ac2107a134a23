// One owner for every kind of system handle: HANDLE, HKEY, find handles,
// item-id lists, GDI objects. The traits say what "no handle" is and how a
// handle is closed; the owner closes on every path and cannot be copied.
#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;
  ScopedHandle() : handle_(Traits::Invalid()) {}
  explicit ScopedHandle(Handle h) : handle_(h) {}
  ~ScopedHandle() { Reset(); }
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  bool IsValid() const { return handle_ != Traits::Invalid(); }
  Handle Get() const { return handle_; }
  // For out-parameters: closes what is held and hands out the slot.
  Handle* Receive() {
    Reset();
    return &handle_;
  }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle h = Traits::Invalid()) {
    if (IsValid()) Traits::Close(handle_);
    handle_ = h;
  }

 private:
  Handle handle_;
};

struct KernelHandleTraits {  // processes, threads, files
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFileA answers INVALID_HANDLE_VALUE
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};
struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::RegCloseKey(h); }
};
struct ItemIdListTraits {
  using Handle = LPITEMIDLIST;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::CoTaskMemFree(h); }
};
struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DeleteObject(h); }
};

using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;
using ScopedFileHandle = ScopedHandle<FileHandleTraits>;
using ScopedFindHandle = ScopedHandle<FindHandleTraits>;
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;
using ScopedItemIdList = ScopedHandle<ItemIdListTraits>;
using ScopedGdiObject = ScopedHandle<GdiObjectTraits>;

struct DeviceContextTraits {  // CreateCompatibleDC and friends
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DeleteDC(h); }
};

using ScopedDeviceContext = ScopedHandle<DeviceContextTraits>;

struct PrinterHandleTraits {  // OpenPrinterA, AddPrinterA
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::ClosePrinter(h); }
};
struct ModuleTraits {  // LoadLibraryA
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::FreeLibrary(h); }
};

using ScopedPrinterHandle = ScopedHandle<PrinterHandleTraits>;
using ScopedModule = ScopedHandle<ModuleTraits>;

// A window's device context from GetDC, given back with ReleaseDC.
class ScopedGetDc {
 public:
  explicit ScopedGetDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~ScopedGetDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  ScopedGetDc(const ScopedGetDc&) = delete;
  ScopedGetDc& operator=(const ScopedGetDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~ScopedSelectObject() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Owns one reference to a COM interface.
template <typename Interface>
class ScopedComPtr {
 public:
  ScopedComPtr() = default;
  explicit ScopedComPtr(Interface* p) : p_(p) {}
  ~ScopedComPtr() { Reset(); }
  ScopedComPtr(ScopedComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ScopedComPtr& operator=(ScopedComPtr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ScopedComPtr(const ScopedComPtr&) = delete;
  ScopedComPtr& operator=(const ScopedComPtr&) = delete;

  bool IsValid() const { return p_ != nullptr; }
  Interface* Get() const { return p_; }
  Interface* operator->() const { return p_; }
  // For out-parameters: releases what is held and hands out the slot.
  Interface** Receive() {
    Reset();
    return &p_;
  }
  void Reset(Interface* p = nullptr) {
    if (p_) p_->Release();
    p_ = p;
  }

 private:
  Interface* p_ = nullptr;
};

// COM on this thread for the scope's life (apartment-threaded, as the shell
// wants). Uninitialises only when the initialisation counted.
class ScopedComInitialize {
 public:
  ScopedComInitialize() : result_(::CoInitialize(nullptr)) {}
  ~ScopedComInitialize() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ScopedComInitialize(const ScopedComInitialize&) = delete;
  ScopedComInitialize& operator=(const ScopedComInitialize&) = delete;
  bool Succeeded() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace platform::win32
