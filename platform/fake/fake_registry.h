// An in-memory registry with the semantics of the real backends, for tests.
// Paths are relative to HKEY_LOCAL_MACHINE as in Registry (a leading "\" is
// accepted); names match without regard to case; subkeys enumerate in
// creation order. Access rights are accepted and ignored unless a refusal
// below is set up. Like 32-bit Windows it has one view: kKeyWow64_32Key is
// that view, and keys asked for with kKeyWow64_64Key are absent unless a
// 64-bit view is attached. Keys it hands out share its state and may outlive
// it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/tree_registry.h"

namespace platform::fake {

class FakeRegistry : public TreeRegistry {
 public:
  struct WrittenValue {
    std::string keyPath;  // as asked for in OpenKey/CreateKey, leading "\" dropped
    std::string name;
  };

  FakeRegistry();
  ~FakeRegistry() override;

  // Seeding, past every refusal; missing keys on the way are created.
  void AddKey(const std::string& path);
  void SetValue(const std::string& path, const std::string& name, RegistryValue value);
  void SetString(const std::string& path, const std::string& name, const std::string& text);
  void SetDword(const std::string& path, const std::string& name, uint32_t value);

  // Refusals. OpenKey and CreateKey of that key fail, for every access or
  // only for the one given (kKeyAllAccess refused, kKeyRead allowed).
  void DenyOpen(const std::string& path, std::optional<uint32_t> access = std::nullopt);
  // Every WriteString/WriteDword of a value of that name fails, in any key.
  void FailWritesOf(const std::string& valueName);
  // As for a user without write access: CreateKey, DeleteKeyTree and the
  // writes fail, and OpenKey fails for any access beyond kKeyRead.
  void SetReadOnly(bool readOnly);

  // Keys asked for with kKeyWow64_64Key are those of `view` from now on, as
  // on 64-bit Windows. `view` is shared, not copied.
  void Attach64BitView(const FakeRegistry& view);

  // Inspection, past every refusal.
  bool HasKey(const std::string& path) const;
  std::optional<RegistryValue> Value(const std::string& path, const std::string& name) const;
  std::vector<std::string> SubkeyNames(const std::string& path) const;
  // Successful writes through keys, in the order they happened.
  std::vector<WrittenValue> WrittenValues() const;
  // Keys handed out and not yet destroyed.
  int OpenKeyCount() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace platform::fake
