// The Files backend of this build (POSIX natively, Win32 under Wine): what
// callers rely on, with the Windows error numbers on every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/rules/path.h"
#include "support/native_files_processes.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;

class FilesContractTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(files_, nullptr);
    WriteBytes(File("existing.txt"), "first line\r\n");
    fs::create_directory(File("folder"));
  }

  std::string File(const std::string& name) const { return scratch_.File(name); }
  std::string InMissingFolder() const { return (fs::path(File("missing")) / "file.txt").string(); }

  testing_support::ScratchDir scratch_;
  std::unique_ptr<platform::Files> files_ = testing_support::MakeNativeFilesForTest();
};

TEST_F(FilesContractTest, FileExistsOnlyForFiles) {
  WriteBytes(File("empty.txt"), "");
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
      {File("existing.txt"), true},
      {File("empty.txt"), true},
      {File("folder"), false},
      {File("nothing.txt"), false},
      {InMissingFolder(), false},
      {(fs::path(File("existing.txt")) / "below.txt").string(), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(files_->FileExists(c.path), c.exists);
  }
}

TEST_F(FilesContractTest, CreateEmptyFileMakesOrTruncates) {
  EXPECT_EQ(files_->CreateEmptyFile(File("new.txt")), 0);
  EXPECT_TRUE(fs::is_regular_file(File("new.txt")));
  EXPECT_EQ(fs::file_size(File("new.txt")), 0u);

  EXPECT_EQ(files_->CreateEmptyFile(File("existing.txt")), 0);
  EXPECT_EQ(fs::file_size(File("existing.txt")), 0u);
}

TEST_F(FilesContractTest, CreateEmptyFileRefusalsGiveTheirCode) {
  // The folder is left as it was, with what is in it.
  WriteBytes((fs::path(File("folder")) / "inside.txt").string(), "kept");
  EXPECT_EQ(files_->CreateEmptyFile(InMissingFolder()), kPathNotFound);
  EXPECT_FALSE(fs::exists(File("missing")));
  EXPECT_EQ(files_->CreateEmptyFile(File("folder")), kAccessDenied);
  EXPECT_TRUE(fs::is_directory(File("folder")));
  EXPECT_EQ(ReadBytes((fs::path(File("folder")) / "inside.txt").string()), "kept");
}

TEST_F(FilesContractTest, AppendToFileAddsBytesAtTheEnd) {
  const std::string binary("a\0b\r\n\n\x1a\xff", 8);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"a line", "second line\r\n"},
      {"nothing", ""},
      {"bytes kept as they are, no text translation", binary},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(File("existing.txt"), "first line\r\n");
    EXPECT_EQ(files_->AppendToFile(File("existing.txt"), c.bytes), 0);
    EXPECT_EQ(ReadBytes(File("existing.txt")), "first line\r\n" + c.bytes);
  }
}

TEST_F(FilesContractTest, AppendToFileEachCallGoesToTheFileAtOnce) {
  EXPECT_EQ(files_->AppendToFile(File("existing.txt"), "two\r\n"), 0);
  EXPECT_EQ(ReadBytes(File("existing.txt")), "first line\r\ntwo\r\n");
  EXPECT_EQ(files_->AppendToFile(File("existing.txt"), "three\r\n"), 0);
  EXPECT_EQ(ReadBytes(File("existing.txt")), "first line\r\ntwo\r\nthree\r\n");
}

TEST_F(FilesContractTest, AppendToFileRefusalsCreateNothing) {
  const struct {
    const char* what;
    std::string path;
    int error;
  } cases[] = {
      {"missing file", File("nothing.txt"), kFileNotFound},
      {"missing folder", InMissingFolder(), kPathNotFound},
      {"a folder at the path", File("folder"), kAccessDenied},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(files_->AppendToFile(c.path, "line\r\n"), c.error);
    EXPECT_FALSE(fs::is_regular_file(c.path));
  }
  EXPECT_FALSE(fs::exists(File("missing")));
  EXPECT_TRUE(fs::is_directory(File("folder")));
  EXPECT_EQ(ReadBytes(File("existing.txt")), "first line\r\n");
}

TEST_F(FilesContractTest, DeleteFileRemovesOnlyFiles) {
  EXPECT_TRUE(files_->DeleteFile(File("existing.txt")));
  EXPECT_FALSE(fs::exists(File("existing.txt")));

  EXPECT_FALSE(files_->DeleteFile(File("existing.txt")));
  EXPECT_FALSE(files_->DeleteFile(InMissingFolder()));
  EXPECT_FALSE(files_->DeleteFile(File("folder")));
  EXPECT_TRUE(fs::is_directory(File("folder")));
}

TEST_F(FilesContractTest, ReadFileGivesEveryByte) {
  std::string big(200000, 'x');
  big[0] = '\0';
  big.back() = '\xff';
  WriteBytes(File("big.bin"), big);
  std::string bytes;
  EXPECT_TRUE(files_->ReadFile(File("big.bin"), bytes));
  EXPECT_EQ(bytes, big);
  EXPECT_TRUE(files_->ReadFileEnd(File("big.bin"), 1024, bytes));
  EXPECT_EQ(bytes, big.substr(big.size() - 1024));
  EXPECT_TRUE(files_->ReadFileEnd(File("existing.txt"), 1024, bytes));
  EXPECT_EQ(bytes, "first line\r\n");
  EXPECT_TRUE(files_->ReadFileStart(File("big.bin"), 65536, bytes));
  EXPECT_EQ(bytes, big.substr(0, 65536));
  EXPECT_TRUE(files_->ReadFileStart(File("existing.txt"), 65536, bytes));
  EXPECT_EQ(bytes, "first line\r\n");
  for (const std::string& path : {File("nothing.txt"), File("folder")}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(files_->ReadFileEnd(path, 1024, bytes));
    EXPECT_FALSE(files_->ReadFileStart(path, 1024, bytes));
  }
}

TEST_F(FilesContractTest, ReadFileFailureLeavesTheBufferAlone) {
  for (const std::string& path : {File("nothing.txt"), InMissingFolder(), File("folder")}) {
    SCOPED_TRACE(path);
    std::string bytes = "untouched";
    EXPECT_FALSE(files_->ReadFile(path, bytes));
    EXPECT_EQ(bytes, "untouched");
  }
}

// One file put in the place of another (ReplaceFile), or at a name only
// where nothing stands (MoveToNewName).
TEST_F(FilesContractTest, ReplaceFileAndMoveToNewName) {
  WriteBytes((fs::path(File("folder")) / "inside.txt").string(), "kept");
  const int taken = platform::kErrorAlreadyExists;
  const struct {
    const char* what;
    bool replace;
    std::string to;
    int error;
    std::string toAfter;  // "<folder>" for a folder
  } cases[] = {
      {"an existing file replaced", true, File("existing.txt"), 0, "new\r\n"},
      {"a new name", true, File("other.txt"), 0, "new\r\n"},
      {"a folder at the place is refused", true, File("folder"), kAccessDenied, "<folder>"},
      {"a missing folder", true, InMissingFolder(), kPathNotFound, ""},
      {"a free name taken", false, File("free.pdf"), 0, "new\r\n"},
      {"a file there stays", false, File("existing.txt"), taken, "first line\r\n"},
      {"a folder there stays", false, File("folder"), taken, "<folder>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(File("existing.txt"), "first line\r\n");
    WriteBytes(File("new.tmp"), "new\r\n");
    EXPECT_EQ(c.replace ? files_->ReplaceFile(File("new.tmp"), c.to)
                        : files_->MoveToNewName(File("new.tmp"), c.to),
              c.error);
    EXPECT_EQ(fs::exists(File("new.tmp")), c.error != 0);
    if (c.toAfter == "<folder>") {
      EXPECT_EQ(ReadBytes((fs::path(c.to) / "inside.txt").string()), "kept");
    } else {
      EXPECT_EQ(ReadBytes(c.to), c.toAfter);
    }
  }
  EXPECT_EQ(files_->ReplaceFile(File("nothing.txt"), File("existing.txt")), kFileNotFound);
  EXPECT_EQ(ReadBytes(File("existing.txt")), "first line\r\n");
}

TEST_F(FilesContractTest, ListFilesAndStamp) {
  const std::string folder = File("folder") + platform::path::Delimiter();
  for (const char* name : {"pdf_01.pdf", "pdf_2.pdf", "other.pdf"}) WriteBytes(folder + name, "x");
  fs::create_directory(folder + "pdf_04.pdf");
  auto names = files_->ListFiles(folder, "pdf_*.pdf");
  ASSERT_TRUE(names);
  std::sort(names->begin(), names->end());
  EXPECT_EQ(*names, (std::vector<std::string>{"pdf_01.pdf", "pdf_2.pdf"}));
  EXPECT_EQ(files_->ListFiles(folder, "none_*"), std::vector<std::string>{});
  EXPECT_EQ(files_->ListFiles(File("missing") + platform::path::Delimiter(), "*"), std::nullopt);

  auto stamp = files_->Stamp(File("existing.txt"));
  ASSERT_TRUE(stamp);
  EXPECT_EQ(stamp->size, 12u);
  WriteBytes(File("existing.txt"), "other\r\n");
  EXPECT_NE(files_->Stamp(File("existing.txt")), stamp);
  EXPECT_EQ(files_->Stamp(File("folder")), std::nullopt);
}

// A job's own files: a name taken stays untouched, what is written lands in
// the file opened, and folders are made with their parents.
TEST_F(FilesContractTest, FilesAndFoldersAJobMakesItsOwn) {
  using platform::CreateMode;
  WriteBytes(File("source.pdf"), std::string(200000, 'p'));
  const struct {
    std::string path;
    CreateMode mode;
    int error;
    std::string after;  // the file's bytes after the copy ("-": none made)
  } cases[] = {
      {File("new.pdf"), CreateMode::kNew, 0, std::string(200000, 'p')},
      {File("existing.txt"), CreateMode::kNew, platform::kErrorFileExists, "first line\r\n"},
      {File("existing.txt"), CreateMode::kReplace, 0, std::string(200000, 'p')},
      {File(".hidden.tmp"), CreateMode::kNewHidden, 0, std::string(200000, 'p')},
      {File(".hidden.tmp"), CreateMode::kNewHidden, platform::kErrorFileExists,
       std::string(200000, 'p')},
      {InMissingFolder(), CreateMode::kNew, kPathNotFound, "-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    int error = -1;
    auto file = files_->CreateForWriting(c.path, c.mode, error);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(file != nullptr, c.error == 0);
    if (file) {
      EXPECT_EQ(file->CopyFrom(File("source.pdf")), 0);
    }
    file.reset();
    EXPECT_EQ(fs::exists(c.path) ? ReadBytes(c.path) : "-", c.after);
  }

  // Folders made with their parents, and what was made is told, outermost
  // first; a file in the way is 183; an empty folder goes, a full one not.
  const std::string made = File("made"), deep = (fs::path(made) / "in" / "turn").string();
  std::vector<std::string> madeFolders;
  EXPECT_EQ(files_->CreateFolders(deep, &madeFolders), 0);
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_EQ(madeFolders, (std::vector<std::string>{made, (fs::path(made) / "in").string(), deep}));
  EXPECT_EQ(files_->CreateFolders(deep, &madeFolders), 0);  // there already
  EXPECT_EQ(madeFolders.size(), 3u);
  EXPECT_EQ(files_->CreateFolders((fs::path(File("existing.txt")) / "below").string()),
            platform::kErrorAlreadyExists);
  EXPECT_EQ(files_->CreateFolders(File("existing.txt")), platform::kErrorAlreadyExists);
  EXPECT_FALSE(files_->RemoveFolder(made));
  EXPECT_TRUE(files_->RemoveFolder(deep));
  EXPECT_FALSE(fs::exists(deep));

  // A folder of the process's own, and a tree of files removed with it.
  std::optional<std::string> first = files_->CreateTemporaryFolder();
  std::optional<std::string> second = files_->CreateTemporaryFolder();
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_TRUE(fs::is_directory(*first) && fs::is_empty(*first));
  fs::create_directories(fs::path(*first) / "a" / "b");
  WriteBytes((fs::path(*first) / "a" / "b" / "c.txt").string(), "c");
  EXPECT_TRUE(files_->RemoveFolderTree(*first) && files_->RemoveFolderTree(*second));
  EXPECT_FALSE(fs::exists(*first) || fs::exists(*second));
  EXPECT_TRUE(files_->RemoveFolderTree(made));
  EXPECT_FALSE(fs::exists(made));
}

}  // namespace
