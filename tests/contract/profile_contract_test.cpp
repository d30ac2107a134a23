// One suite for every profile backend of the build: the fake, and the native
// one (our own engine on POSIX, the system's functions under Wine). Each test
// works on files in a scratch folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_profile.h"
#include "platform/profile.h"
#include "support/native_profile.h"
#include "support/scratch_dir.h"

namespace {

using platform::Profile;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

// The fake holds its files in memory: bytes go in and out through it.
struct FakeBackend {
  static std::unique_ptr<Profile> Make() { return std::make_unique<platform::fake::FakeProfile>(); }
  static platform::fake::FakeProfile& Fake(Profile& p) {
    return static_cast<platform::fake::FakeProfile&>(p);
  }
  static void PutFile(Profile& p, const std::string& path, const std::string& bytes) {
    Fake(p).SetFileText(path, bytes);
  }
  static std::string FileBytes(Profile& p, const std::string& path) {
    return Fake(p).FileText(path).value_or("");
  }
  static bool FileExists(Profile& p, const std::string& path) {
    return Fake(p).FileText(path).has_value();
  }
  static std::shared_ptr<void> RefuseWrites(Profile& p, const std::string& path) {
    Fake(p).RefuseWrites(path);
    return nullptr;
  }
  // A path where the system cannot put a file: the fake models it by refusal.
  static void BlockPath(Profile& p, const std::string& path) { Fake(p).RefuseWrites(path); }
};

struct NativeBackend {
  static std::unique_ptr<Profile> Make() { return testing_support::MakeNativeProfileForTest(); }
  static void PutFile(Profile&, const std::string& path, const std::string& bytes) {
    WriteBytes(path, bytes);
  }
  static std::string FileBytes(Profile&, const std::string& path) { return ReadBytes(path); }
  static bool FileExists(Profile&, const std::string& path) {
    return std::filesystem::is_regular_file(path);
  }
  static std::shared_ptr<void> RefuseWrites(Profile&, const std::string& path) {
    return testing_support::RefuseNativeWrites(path);
  }
  // A folder standing where the file should be, with a file of its own.
  static void BlockPath(Profile&, const std::string& path) {
    std::filesystem::create_directory(path);
    WriteBytes((std::filesystem::path(path) / "inside.txt").string(), "kept");
  }
};

template <typename Backend>
class ProfileContractTest : public testing::Test {
 protected:
  ProfileContractTest() : profile_(Backend::Make()), file_(scratch_.File("setup.ini")) {}
  void SetUp() override { ASSERT_NE(profile_, nullptr); }

  void Put(const std::string& bytes) { Backend::PutFile(*profile_, file_, bytes); }
  std::string Bytes() { return Backend::FileBytes(*profile_, file_); }
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& defaultValue = "<default>") {
    return profile_->ReadString(file_, section, key, defaultValue);
  }

  testing_support::ScratchDir scratch_;
  std::unique_ptr<Profile> profile_;
  std::string file_;
};

using Backends = testing::Types<FakeBackend, NativeBackend>;
class BackendNames {
 public:
  template <typename T>
  static std::string GetName(int) {
    return std::is_same_v<T, FakeBackend> ? "Fake" : "Native";
  }
};
TYPED_TEST_SUITE(ProfileContractTest, Backends, BackendNames);

TYPED_TEST(ProfileContractTest, MissingFileReadsDefaultAndFirstWriteCreatesIt) {
  EXPECT_EQ(this->Read("GhostScript", "Location", ""), "");
  EXPECT_EQ(this->Read("PPP1:", "SaveToFolder", "c:\\"), "c:\\");
  // The default comes back exactly, trailing blanks and length included.
  const std::string odd = " x \t" + std::string(3000, 'd') + "  ";
  EXPECT_EQ(this->Read("PPP1:", "ShowPDF", odd), odd);
  EXPECT_FALSE(TypeParam::FileExists(*this->profile_, this->file_));

  ASSERT_TRUE(this->profile_->WriteString(this->file_, "GhostScript", "Location", "c:\\gs\\bin"));
  EXPECT_EQ(this->Bytes(), "[GhostScript]\r\nLocation=c:\\gs\\bin\r\n");
}

TYPED_TEST(ProfileContractTest, RoundTrips) {
  struct Case {
    const char* name;
    std::string value;
    std::string readBack;
  };
  const std::vector<Case> cases = {
      {"path", "c:\\Program Files\\gs\\bin", "c:\\Program Files\\gs\\bin"},
      {"empty", "", ""},
      {"digit", "1", "1"},
      {"inner blanks", "a  b", "a  b"},
      {"2047 chars", std::string(2047, 'x'), std::string(2047, 'x')},
      {"2048 chars read cut", std::string(2048, 'y'), std::string(2047, 'y')},
      // Written as given; the read rules then apply.
      {"outer blanks", "  c:\\out  ", "c:\\out"},
      {"quoted", "\"c:\\out\"", "c:\\out"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(this->profile_->WriteString(this->file_, "PPP1:", "SaveToFolder", c.value));
    EXPECT_EQ(this->Read("PPP1:", "SaveToFolder"), c.readBack);
    EXPECT_EQ(this->Read("ppp1:", "savetofolder"), c.readBack);
  }
}

TYPED_TEST(ProfileContractTest, ReadsFilesWrittenByWindows) {
  this->Put(
      "[GhostScript]\r\n"
      "Location=C:\\gs\\gs8.54\\bin\r\n"
      "[Log]\r\n"
      "LastInputFile=C:\\WINDOWS\\TEMP\\job.tmp\r\n"
      "[ppp1:]\r\n"
      "SaveToFolder=\"d:\\pdf out\"\r\n"
      "SaveType= 1 \r\n"
      "ShowPDF=0x0\r\n"
      "[PPP2:]\r\n"
      "SaveToFolder='e:\\'\r\n"
      "ShowPDF=" +
      std::string(3000, 'z') + "\r\n");
  struct Case {
    const char* section;
    const char* key;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"GhostScript", "Location", "C:\\gs\\gs8.54\\bin"},
      {"LOG", "lastinputfile", "C:\\WINDOWS\\TEMP\\job.tmp"},
      {"PPP1:", "SaveToFolder", "d:\\pdf out"},
      {"PPP1:", "SaveType", "1"},
      {"PPP1:", "ShowPDF", "0x0"},
      {"PPP2:", "SaveToFolder", "e:\\"},
      {"PPP2:", "ShowPDF", std::string(2047, 'z')},
      {"PPP2:", "SaveType", "<default>"},
      {"PPP3:", "SaveType", "<default>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + " " + c.key);
    EXPECT_EQ(this->Read(c.section, c.key), c.expected);
  }
}

TYPED_TEST(ProfileContractTest, WritesKeepOtherLines) {
  this->Put(
      "[GhostScript]\r\n"
      "Location=c:\\gs\r\n"
      "[PPP1:]\r\n"
      "SaveToFolder=c:\\\r\n"
      "SaveType=0\r\n"
      "[Log]\r\n"
      "LastInputFile=a.tmp\r\n");
  ASSERT_TRUE(this->profile_->WriteString(this->file_, "ppp1:", "SAVETYPE", "1"));
  ASSERT_TRUE(this->profile_->WriteString(this->file_, "PPP1:", "ShowPDF", "0"));
  ASSERT_TRUE(this->profile_->WriteString(this->file_, "PPP2:", "ShowPDF", "1"));
  EXPECT_EQ(this->Bytes(),
            "[GhostScript]\r\n"
            "Location=c:\\gs\r\n"
            "[PPP1:]\r\n"
            "SaveToFolder=c:\\\r\n"
            "SaveType=1\r\n"
            "ShowPDF=0\r\n"
            "[Log]\r\n"
            "LastInputFile=a.tmp\r\n"
            "[PPP2:]\r\n"
            "ShowPDF=1\r\n");
}

TYPED_TEST(ProfileContractTest, RemoveSectionTakesHeaderAndKeys) {
  this->Put(
      "[GhostScript]\r\n"
      "Location=c:\\gs\r\n"
      "[PPP1:]\r\n"
      "SaveToFolder=c:\\\r\n"
      "SaveType=1\r\n"
      "[PPP2:]\r\n"
      "SaveType=1\r\n");
  ASSERT_TRUE(this->profile_->RemoveSection(this->file_, "ppp1:"));
  EXPECT_EQ(this->Bytes(),
            "[GhostScript]\r\n"
            "Location=c:\\gs\r\n"
            "[PPP2:]\r\n"
            "SaveType=1\r\n");
  EXPECT_EQ(this->Read("PPP1:", "SaveType"), "<default>");
  EXPECT_EQ(this->Read("PPP2:", "SaveType"), "1");

  // Removing what is not there succeeds and changes nothing.
  std::string before = this->Bytes();
  EXPECT_TRUE(this->profile_->RemoveSection(this->file_, "PPP9:"));
  EXPECT_EQ(this->Bytes(), before);
}

TYPED_TEST(ProfileContractTest, RefusedWriteReturnsFalseAndKeepsTheFile) {
  const std::string old = "[GhostScript]\r\nLocation=c:\\gs\r\n[PPP1:]\r\nSaveType=0\r\n";
  this->Put(old);
  bool wrote, removed;
  {
    std::shared_ptr<void> refusal = TypeParam::RefuseWrites(*this->profile_, this->file_);
    wrote = this->profile_->WriteString(this->file_, "PPP1:", "SaveType", "1");
    removed = this->profile_->RemoveSection(this->file_, "PPP1:");
  }
  EXPECT_FALSE(wrote);
  EXPECT_FALSE(removed);
  EXPECT_EQ(this->Bytes(), old);
  EXPECT_EQ(this->Read("PPP1:", "SaveType"), "0");
}

TYPED_TEST(ProfileContractTest, FolderAtTheFilePathRefusesWrites) {
  TypeParam::BlockPath(*this->profile_, this->file_);
  EXPECT_FALSE(this->profile_->WriteString(this->file_, "PPP1:", "SaveType", "1"));
  EXPECT_EQ(this->Read("PPP1:", "SaveType"), "<default>");
  if (std::is_same_v<TypeParam, NativeBackend>) {
    EXPECT_TRUE(std::filesystem::is_directory(this->file_));
    EXPECT_EQ(ReadBytes(this->file_ + "/inside.txt"), "kept");
  }
}

TYPED_TEST(ProfileContractTest, WriteIntoMissingFolderFails) {
  const std::string file = this->scratch_.File("missing") + "/setup.ini";
  if (std::is_same_v<TypeParam, FakeBackend>) TypeParam::BlockPath(*this->profile_, file);
  EXPECT_FALSE(this->profile_->WriteString(file, "Log", "LastInputFile", "x"));
  EXPECT_EQ(this->profile_->ReadString(file, "Log", "LastInputFile", "none"), "none");
}

TYPED_TEST(ProfileContractTest, EntriesThatWouldBreakTheFileAreRefused) {
  const std::string old = "[PPP1:]\r\nSaveType=0\r\n";
  this->Put(old);
  struct Case {
    const char* name;
    std::string section, key, value;
  };
  const std::vector<Case> cases = {
      {"line break in value", "PPP1:", "SaveType", "1\r\n[Other]\r\nx=1"},
      {"= in key", "PPP1:", "a=b", "1"},
      {"] in section", "PPP1:]x", "SaveType", "1"},
      {"empty key", "PPP1:", "", "1"},
      {"empty section", "", "SaveType", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(this->profile_->WriteString(this->file_, c.section, c.key, c.value));
    EXPECT_EQ(this->Bytes(), old);
  }
}

}  // namespace
