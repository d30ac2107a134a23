// The registry over a registry tree (rules/registry_tree.h) held in a store:
// one key implementation for every backend that keeps its registry as a tree,
// the POSIX file store (read and replaced under a lock) and the fake (in
// memory, with refusals a test sets up).
//
// Paths are relative to HKEY_LOCAL_MACHINE as in Registry, a leading "\"
// accepted; HKEY_LOCAL_MACHINE itself always opens. A key reads the store
// anew at each call, so it sees what other keys (and processes) changed, and
// a key deleted since it was opened takes no values, as on Windows. Keys
// share the store and may outlive the registry.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/registry.h"
#include "platform/rules/registry_tree.h"

namespace platform {

class RegistryTreeStore {
 public:
  virtual ~RegistryTreeStore() = default;

  // Calls look with the tree as it is now. False when the store cannot be
  // read (look is then not called).
  virtual bool Read(const std::function<void(const RegistryTree&)>& look) = 0;
  // Calls change on the tree as it is now and keeps the result. False, the
  // store unchanged, when it cannot be read or written or change returns
  // false.
  virtual bool Update(const std::function<bool(RegistryTree&)>& change) = 0;

  // Refusals, for a store that plays a user without some rights; the
  // defaults refuse nothing. fullPath starts with "HKEY_LOCAL_MACHINE".
  virtual bool RefusesOpen(const RegistryTree&, const std::string& /*fullPath*/,
                           uint32_t /*access*/) {
    return false;
  }
  virtual bool RefusesCreate() { return false; }
  virtual bool RefusesDelete() { return false; }
  virtual bool RefusesWrite(const std::string& /*valueName*/) { return false; }

  // Told of each key handed out and closed, and of each value written
  // through a key (keyPath as asked for, its leading "\" dropped).
  virtual void KeyOpened() {}
  virtual void KeyClosed() {}
  virtual void ValueWritten(const std::string& /*keyPath*/, const std::string& /*name*/) {}
};

class TreeRegistry : public Registry {
 public:
  // view64: the store of the 64-bit view; null where there is none, as on
  // 32-bit Windows (keys asked for in it are then absent).
  explicit TreeRegistry(std::shared_ptr<RegistryTreeStore> store,
                        std::shared_ptr<RegistryTreeStore> view64 = nullptr);

  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, uint32_t access) override;
  std::unique_ptr<RegistryKey> CreateKey(const std::string& path, uint32_t access) override;
  bool DeleteKeyTree(const std::string& path) override;

 protected:
  const std::shared_ptr<RegistryTreeStore>& Store() const { return store_; }
  void SetView64(std::shared_ptr<RegistryTreeStore> view64) { view64_ = std::move(view64); }

 private:
  std::shared_ptr<RegistryTreeStore> StoreFor(uint32_t access) const;

  std::shared_ptr<RegistryTreeStore> store_;
  std::shared_ptr<RegistryTreeStore> view64_;
};

}  // namespace platform
