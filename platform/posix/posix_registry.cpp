// The registry as one text file in the regedit export format, shared by
// every process of the program.
//
// Reads and changes go through locked_file.h: reads see a whole file, and
// changes are locked and atomic.
//
// A store that is not a registry export (see ImportRegFile) or cannot be read
// reads as having no keys and is never overwritten. Lines of the store that
// were skipped as malformed are dropped at the next change.
#include <functional>
#include <optional>
#include <utility>

#include "platform/common/tree_registry.h"
#include "platform/posix/locked_file.h"
#include "platform/posix/posix_backends.h"
#include "platform/rules/path.h"
#include "platform/rules/reg_file.h"

namespace platform::posix {

namespace {

class FileStore : public RegistryTreeStore {
 public:
  explicit FileStore(std::string path) : path_(std::move(path)) {}

  // A missing file is an empty tree.
  bool Read(const std::function<void(const RegistryTree&)>& look) override {
    bool missing = false;
    std::optional<std::string> bytes = ReadWholeFile(path_, &missing);
    RegistryTree tree;
    if (!bytes ? !missing : !ImportRegFile(*bytes, tree).recognized) return false;
    look(tree);
    return true;
  }

  bool Update(const std::function<bool(RegistryTree&)>& change) override {
    return UpdateFileLocked(path_, [&](const std::string& bytes) -> std::optional<std::string> {
      RegistryTree tree;
      if (!ImportRegFile(bytes, tree).recognized || !change(tree)) return std::nullopt;
      return ExportRegFile(tree);
    });
  }

 private:
  std::string path_;
};

}  // namespace

std::unique_ptr<Registry> MakeRegistry(std::string storePath) {
  return std::make_unique<TreeRegistry>(std::make_shared<FileStore>(std::move(storePath)));
}

std::string RegistryStorePath(const std::string& programPath) {
  return path::ChangeExtension(programPath, ".reg");
}

}  // namespace platform::posix
