#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/posix/posix_backends.h"
#include "platform/rules/reg_file.h"
#include "support/scratch_dir.h"

namespace {

using platform::kKeyAllAccess;
using platform::kKeyRead;
using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

const char kPortKey[] =
    "\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Redirected Port\\Ports\\PPP1:";

TEST(PosixRegistryStoreTest, StoreIsARegistryExportRegeditCanRead) {
  ScratchDir dir;
  std::string store = dir.File("setup.reg");
  auto registry = platform::posix::MakeRegistry(store);
  auto key = registry->CreateKey(kPortKey, kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("Command", "C:\\PDF\\redrun.exe"));
  ASSERT_TRUE(key->WriteDword("Delay", 300));

  std::string text = ReadBytes(store);
  EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n\r\n", 0), 0u) << text;
  EXPECT_NE(
      text.find("\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors"
                "\\Redirected Port\\Ports\\PPP1:]\r\n\"Command\"=\"C:\\\\PDF\\\\redrun.exe\"\r\n"
                "\"Delay\"=dword:0000012c\r\n"),
      std::string::npos)
      << text;
  platform::RegistryTree tree;
  platform::RegFileResult result = platform::ImportRegFile(text, tree);
  EXPECT_TRUE(result.recognized);
  EXPECT_TRUE(result.problems.empty());
}

TEST(PosixRegistryStoreTest, HandWrittenFixtureIsRead) {
  ScratchDir dir;
  std::string store = dir.File("setup.reg");
  WriteBytes(store,
             "Windows Registry Editor Version 5.00\n"
             "\n"
             "; two Ghostscript versions, the later one with an expandable path\n"
             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\AFPL Ghostscript\\8.54]\n"
             "\"GS_DLL\"=\"C:\\\\gs\\\\gs8.54\\\\bin\\\\gsdll32.dll\"\n"
             "\n"
             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\AFPL Ghostscript\\8.14]\n"
             "\"GS_DLL\"=hex(2):43,00,3a,00,5c,00,67,00,73,00,\\\n"
             "  00,00\n"
             "\"Raw\"=hex:01,02\n"
             "\n"
             "[HKEY_CURRENT_USER\\Software\\Someone]\n"
             "\"Keep\"=\"me\"\n");
  auto registry = platform::posix::MakeRegistry(store);
  auto gs = registry->OpenKey("SOFTWARE\\AFPL Ghostscript", kKeyRead);
  ASSERT_NE(gs, nullptr);
  EXPECT_EQ(gs->SubkeyNames(), (std::vector<std::string>{"8.54", "8.14"}));

  auto first = registry->OpenKey("SOFTWARE\\AFPL Ghostscript\\8.54", kKeyRead);
  ASSERT_NE(first, nullptr);
  auto text = first->ReadValue("GS_DLL");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->type, platform::kRegSz);
  EXPECT_EQ(platform::RegistryText(*text), "C:\\gs\\gs8.54\\bin\\gsdll32.dll");

  auto second = registry->OpenKey("SOFTWARE\\AFPL Ghostscript\\8.14", kKeyRead);
  ASSERT_NE(second, nullptr);
  auto expand = second->ReadValue("gs_dll");
  ASSERT_TRUE(expand.has_value());
  EXPECT_EQ(expand->type, platform::kRegExpandSz);
  EXPECT_EQ(expand->data, std::string("C:\\gs\0", 6));
  auto raw = second->ReadValue("Raw");
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->type, platform::kRegBinary);
  EXPECT_EQ(raw->data, "\x01\x02");

  // A change rewrites the file and keeps the other root's keys.
  ASSERT_NE(registry->CreateKey(kPortKey, kKeyAllAccess), nullptr);
  EXPECT_NE(ReadBytes(store).find("[HKEY_CURRENT_USER\\Software\\Someone]\r\n\"Keep\"=\"me\"\r\n"),
            std::string::npos);
  EXPECT_EQ(registry->OpenKey("SOFTWARE\\AFPL Ghostscript\\8.14", kKeyRead)->ReadValue("Raw")->data,
            "\x01\x02");
}

TEST(PosixRegistryStoreTest, MissingStoreIsEmptyAndReadingDoesNotCreateIt) {
  ScratchDir dir;
  std::string store = dir.File("setup.reg");
  auto registry = platform::posix::MakeRegistry(store);
  EXPECT_EQ(registry->OpenKey("SOFTWARE", kKeyRead), nullptr);
  EXPECT_FALSE(registry->DeleteKeyTree("SOFTWARE"));
  EXPECT_FALSE(std::filesystem::exists(store));
  EXPECT_NE(registry->CreateKey("SOFTWARE", kKeyAllAccess), nullptr);
  EXPECT_TRUE(std::filesystem::is_regular_file(store));
}

TEST(PosixRegistryStoreTest, MalformedLinesAreSkippedAndTheRestKept) {
  ScratchDir dir;
  std::string store = dir.File("setup.reg");
  WriteBytes(store,
             "Windows Registry Editor Version 5.00\r\n\r\n"
             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\App]\r\n"
             "\"Good\"=dword:00000001\r\n"
             "garbage here\r\n"
             "\"Bad\"=hex:zz\r\n"
             "\"Also\"=\"fine\"\r\n");
  auto registry = platform::posix::MakeRegistry(store);
  auto key = registry->OpenKey("SOFTWARE\\App", kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->ReadValue("Bad").has_value());
  ASSERT_TRUE(key->WriteDword("New", 2));
  // The malformed lines are gone after the rewrite; everything understood stays.
  auto again = registry->OpenKey("SOFTWARE\\App", kKeyRead);
  EXPECT_TRUE(again->ReadValue("Good").has_value());
  EXPECT_TRUE(again->ReadValue("Also").has_value());
  EXPECT_TRUE(again->ReadValue("New").has_value());
  EXPECT_EQ(ReadBytes(store).find("garbage"), std::string::npos);
}

// Each writer process adds its own subkey and values; none may be lost to
// another writer's rename.
TEST(PosixRegistryStoreTest, ConcurrentWriterProcessesLoseNothing) {
  ScratchDir dir;
  std::string store = dir.File("setup.reg");
  constexpr int kWriters = 4;
  constexpr int kWritesEach = 25;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      auto registry = platform::posix::MakeRegistry(store);
      bool ok = true;
      for (int i = 0; i < kWritesEach; ++i) {
        auto own = registry->CreateKey("SOFTWARE\\Jobs\\Writer" + std::to_string(w), kKeyAllAccess);
        auto shared = registry->CreateKey("SOFTWARE\\Jobs", kKeyAllAccess);
        ok = ok && own && shared && own->WriteDword("N" + std::to_string(i), i) &&
             shared->WriteString("W" + std::to_string(w) + "_" + std::to_string(i), "x");
      }
      _exit(ok ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  auto registry = platform::posix::MakeRegistry(store);
  auto jobs = registry->OpenKey("SOFTWARE\\Jobs", kKeyRead);
  ASSERT_NE(jobs, nullptr);
  EXPECT_EQ(jobs->SubkeyNames().size(), static_cast<size_t>(kWriters));
  int missing = 0;
  for (int w = 0; w < kWriters; ++w) {
    auto own = registry->OpenKey("SOFTWARE\\Jobs\\Writer" + std::to_string(w), kKeyRead);
    ASSERT_NE(own, nullptr);
    for (int i = 0; i < kWritesEach; ++i) {
      missing += !own->ReadValue("N" + std::to_string(i)).has_value();
      missing += !jobs->ReadValue("W" + std::to_string(w) + "_" + std::to_string(i)).has_value();
    }
  }
  EXPECT_EQ(missing, 0);
  // No temporary file is left behind.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    ++files;
    EXPECT_EQ(entry.path().filename(), "setup.reg");
  }
  EXPECT_EQ(files, 1);
}

TEST(PosixRegistryStoreTest, FolderAtTheStorePathRefusesChangesAndStaysAsItIs) {
  ScratchDir dir;
  std::string store = dir.File("setup.reg");
  std::filesystem::create_directory(store);
  WriteBytes(store + "/inside", "untouched");
  auto registry = platform::posix::MakeRegistry(store);
  EXPECT_EQ(registry->CreateKey("SOFTWARE\\App", kKeyAllAccess), nullptr);
  EXPECT_EQ(registry->OpenKey("SOFTWARE\\App", kKeyRead), nullptr);
  EXPECT_EQ(registry->OpenKey("", kKeyRead), nullptr);  // unreadable, not empty
  EXPECT_FALSE(registry->DeleteKeyTree("SOFTWARE"));
  EXPECT_TRUE(std::filesystem::is_directory(store));
  EXPECT_EQ(ReadBytes(store + "/inside"), "untouched");
}

TEST(PosixRegistryStoreTest, KeyWhoseStoreBecameAFolderFailsToWrite) {
  ScratchDir dir;
  std::string store = dir.File("setup.reg");
  auto registry = platform::posix::MakeRegistry(store);
  auto key = registry->CreateKey(kPortKey, kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("Arguments", "x"));
  std::filesystem::rename(store, store + ".old");
  std::filesystem::create_directory(store);
  EXPECT_FALSE(key->WriteString("Command", "y"));
  EXPECT_FALSE(key->WriteDword("Delay", 300));
  EXPECT_FALSE(key->ReadValue("Arguments").has_value());
  EXPECT_TRUE(std::filesystem::is_directory(store));
  EXPECT_NE(ReadBytes(store + ".old").find("\"Arguments\"=\"x\""), std::string::npos);
}

TEST(PosixRegistryStoreTest, FileThatIsNoExportIsNeverOverwritten) {
  ScratchDir dir;
  std::string store = dir.File("setup.reg");
  const std::string foreign = "[GhostScript]\r\nLocation=C:\\gs\r\n";
  WriteBytes(store, foreign);
  auto registry = platform::posix::MakeRegistry(store);
  EXPECT_EQ(registry->OpenKey("SOFTWARE", kKeyRead), nullptr);
  EXPECT_EQ(registry->CreateKey("SOFTWARE\\App", kKeyAllAccess), nullptr);
  EXPECT_FALSE(registry->DeleteKeyTree("SOFTWARE"));
  EXPECT_EQ(ReadBytes(store), foreign);
}

TEST(PosixRegistryStoreTest, StorePathIsTheProgramPathWithRegExtension) {
  struct Case {
    std::string program;
    std::string store;
  };
  const Case cases[] = {
      {"/opt/pdf/setup", "/opt/pdf/setup.reg"},
      {"/opt/pdf/setup.exe", "/opt/pdf/setup.reg"},
      {"/opt/pdf.d/setup", "/opt/pdf.d/setup.reg"},
      {"/opt/my pdf/set.up.bin", "/opt/my pdf/set.up.reg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    EXPECT_EQ(platform::posix::RegistryStorePath(c.program), c.store);
  }
}

}  // namespace
