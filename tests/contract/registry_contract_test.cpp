// One suite for every registry backend of the build: the fake, and the
// native one (the POSIX file store, or the Windows registry under Wine).
// Each test works below a key of its own, removed at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/fake/fake_registry.h"
#include "platform/registry.h"
#include "support/native_registry.h"
#include "support/scratch_dir.h"

namespace {

using platform::kKeyAllAccess;
using platform::kKeyRead;
using platform::Registry;
using platform::RegistryKey;

struct FakeBackend {
  static std::unique_ptr<Registry> Make(const std::string&) {
    return std::make_unique<platform::fake::FakeRegistry>();
  }
  static bool KeepsCreationOrder() { return true; }
};

struct NativeBackend {
  static std::unique_ptr<Registry> Make(const std::string& scratchDir) {
    return testing_support::MakeNativeRegistryForTest(scratchDir);
  }
  static bool KeepsCreationOrder() { return testing_support::NativeRegistryKeepsCreationOrder(); }
};

std::string UniqueName() {
  static const unsigned salt = std::random_device{}();
  static int counter = 0;
  return std::to_string(salt) + "-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
         std::to_string(counter++);
}

template <typename Backend>
class RegistryContractTest : public testing::Test {
 protected:
  RegistryContractTest()
      : registry_(Backend::Make(scratch_.Path())),
        base_("SOFTWARE\\PdfPrinterTests\\" + UniqueName()) {}

  void SetUp() override {
    ASSERT_NE(registry_, nullptr);
    ASSERT_NE(registry_->CreateKey(base_, kKeyAllAccess), nullptr);
  }

  void TearDown() override {
    registry_->DeleteKeyTree(base_);
    auto parent = registry_->OpenKey("SOFTWARE\\PdfPrinterTests", kKeyRead);
    if (parent && parent->SubkeyNames().empty()) {
      parent.reset();
      registry_->DeleteKeyTree("SOFTWARE\\PdfPrinterTests");
    }
  }

  std::string Path(const std::string& relative) const { return base_ + "\\" + relative; }
  // The same path with the leading "\" that means "from the root".
  std::string RootedPath(const std::string& relative) const {
    std::string rooted = "\\";
    return rooted += Path(relative);
  }

  testing_support::ScratchDir scratch_;
  std::unique_ptr<Registry> registry_;
  std::string base_;
};

using Backends = testing::Types<FakeBackend, NativeBackend>;
class BackendNames {
 public:
  template <typename T>
  static std::string GetName(int) {
    return std::is_same_v<T, FakeBackend> ? "Fake" : "Native";
  }
};
TYPED_TEST_SUITE(RegistryContractTest, Backends, BackendNames);

TYPED_TEST(RegistryContractTest, OpeningAMissingKeyFailsAndCreatesNothing) {
  EXPECT_EQ(this->registry_->OpenKey(this->Path("Missing"), kKeyRead), nullptr);
  EXPECT_EQ(this->registry_->OpenKey(this->Path("Missing"), kKeyAllAccess), nullptr);
  auto base = this->registry_->OpenKey(this->base_, kKeyRead);
  ASSERT_NE(base, nullptr);
  EXPECT_TRUE(base->SubkeyNames().empty());
}

TYPED_TEST(RegistryContractTest, CreateMakesEveryMissingKeyOnTheWay) {
  ASSERT_NE(this->registry_->CreateKey(this->Path("A\\B\\C"), kKeyAllAccess), nullptr);
  auto a = this->registry_->OpenKey(this->Path("A"), kKeyRead);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->SubkeyNames(), std::vector<std::string>{"B"});
  EXPECT_NE(this->registry_->OpenKey(this->Path("A\\B\\C"), kKeyRead), nullptr);
}

TYPED_TEST(RegistryContractTest, CreatingAnExistingKeyOpensItWithItsValues) {
  auto first = this->registry_->CreateKey(this->Path("K"), kKeyAllAccess);
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(first->WriteString("Kept", "yes"));
  auto again = this->registry_->CreateKey(this->Path("K"), kKeyAllAccess);
  ASSERT_NE(again, nullptr);
  auto value = again->ReadValue("Kept");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(platform::RegistryText(*value), "yes");
}

TYPED_TEST(RegistryContractTest, LeadingBackslashMeansFromTheRoot) {
  ASSERT_NE(this->registry_->CreateKey(this->RootedPath("Lead"), kKeyAllAccess), nullptr);
  EXPECT_NE(this->registry_->OpenKey(this->Path("Lead"), kKeyRead), nullptr);
  EXPECT_NE(this->registry_->OpenKey(this->RootedPath("Lead"), kKeyRead), nullptr);
  EXPECT_TRUE(this->registry_->DeleteKeyTree(this->RootedPath("Lead")));
  EXPECT_EQ(this->registry_->OpenKey(this->Path("Lead"), kKeyRead), nullptr);
}

// The file store and the fake enumerate in creation order; the Windows
// registry sorts by name, so there only the set of names is checked.
TYPED_TEST(RegistryContractTest, SubkeysAreListedOnceEach) {
  const std::vector<std::string> created = {"Zeta", "alpha", "PPP10:", "PPP2:", "Mid"};
  for (const std::string& name : created) {
    ASSERT_NE(this->registry_->CreateKey(this->Path("List\\" + name), kKeyAllAccess), nullptr);
  }
  ASSERT_NE(this->registry_->CreateKey(this->Path("List\\alpha\\Deeper"), kKeyAllAccess), nullptr);
  auto list = this->registry_->OpenKey(this->Path("List"), kKeyRead);
  ASSERT_NE(list, nullptr);
  std::vector<std::string> names = list->SubkeyNames();
  if (TypeParam::KeepsCreationOrder()) {
    EXPECT_EQ(names, created);
  } else {
    std::vector<std::string> expected = created;
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
  }
}

TYPED_TEST(RegistryContractTest, TextIsStoredWithOneZeroByte) {
  auto key = this->registry_->CreateKey(this->Path("Text"), kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  const std::string texts[] = {"C:\\PDF\\setup.exe %1 \"PPP1:\"", "", "PDF Printer Port"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(key->WriteString("Arguments", text));
    auto value = key->ReadValue("Arguments");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegSz);
    EXPECT_EQ(value->data, text + '\0');
    EXPECT_EQ(platform::RegistryText(*value), text);
  }
}

TYPED_TEST(RegistryContractTest, NumbersAreFourBytesLittleEndian) {
  auto key = this->registry_->CreateKey(this->Path("Numbers"), kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  struct Case {
    uint32_t number;
    std::string bytes;
  };
  const Case cases[] = {{300, std::string("\x2c\x01\x00\x00", 4)},
                        {0, std::string(4, '\0')},
                        {0x12345678, "\x78\x56\x34\x12"},
                        {0xFFFFFFFF, "\xff\xff\xff\xff"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    ASSERT_TRUE(key->WriteDword("Delay", c.number));
    auto value = key->ReadValue("Delay");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegDword);
    EXPECT_EQ(value->data, c.bytes);
  }
}

TYPED_TEST(RegistryContractTest, NamesMatchWithoutRegardToCase) {
  auto key = this->registry_->CreateKey(this->Path("MixedCase"), kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("SaveTo", "one"));
  ASSERT_TRUE(key->WriteString("SAVETO", "two"));
  auto upper = this->registry_->OpenKey(this->Path("MIXEDCASE"), kKeyRead);
  ASSERT_NE(upper, nullptr);
  auto value = upper->ReadValue("saveto");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(platform::RegistryText(*value), "two");
  auto base = this->registry_->OpenKey(this->base_, kKeyRead);
  EXPECT_EQ(base->SubkeyNames(), std::vector<std::string>{"MixedCase"});  // first spelling kept
}

TYPED_TEST(RegistryContractTest, AbsentValueReadsAsNothing) {
  auto key = this->registry_->CreateKey(this->Path("Empty"), kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->ReadValue("Port").has_value());
}

TYPED_TEST(RegistryContractTest, DefaultValueHasTheEmptyName) {
  auto key = this->registry_->CreateKey(this->Path("Default"), kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("", "dflt"));
  auto value = key->ReadValue("");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(platform::RegistryText(*value), "dflt");
}

TYPED_TEST(RegistryContractTest, RewritingChangesTheType) {
  auto key = this->registry_->CreateKey(this->Path("Types"), kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("V", "text"));
  ASSERT_TRUE(key->WriteDword("V", 2));
  EXPECT_EQ(key->ReadValue("V")->type, platform::kRegDword);
  ASSERT_TRUE(key->WriteString("V", "text"));
  EXPECT_EQ(key->ReadValue("V")->type, platform::kRegSz);
  ASSERT_TRUE(key->WriteDword("N", 7));
  EXPECT_EQ(key->ReadValue("V")->type, platform::kRegSz);  // other values untouched
}

TYPED_TEST(RegistryContractTest, TwoOpenKeysSeeEachOthersWrites) {
  auto writer = this->registry_->CreateKey(this->Path("Shared"), kKeyAllAccess);
  auto reader = this->registry_->OpenKey(this->Path("Shared"), kKeyRead);
  ASSERT_NE(writer, nullptr);
  ASSERT_NE(reader, nullptr);
  ASSERT_TRUE(writer->WriteDword("Output", 0));
  ASSERT_NE(this->registry_->CreateKey(this->Path("Shared\\Child"), kKeyAllAccess), nullptr);
  EXPECT_TRUE(reader->ReadValue("Output").has_value());
  EXPECT_EQ(reader->SubkeyNames(), std::vector<std::string>{"Child"});
}

TYPED_TEST(RegistryContractTest, DeleteTreeRemovesTheKeyAndAllBelowIt) {
  for (const char* path : {"Port\\X\\Y", "Port\\Z", "Sibling"}) {
    auto key = this->registry_->CreateKey(this->Path(path), kKeyAllAccess);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->WriteDword("Delay", 300));
  }
  EXPECT_TRUE(this->registry_->DeleteKeyTree(this->Path("port")));
  EXPECT_EQ(this->registry_->OpenKey(this->Path("Port"), kKeyRead), nullptr);
  EXPECT_EQ(this->registry_->OpenKey(this->Path("Port\\X\\Y"), kKeyRead), nullptr);
  EXPECT_NE(this->registry_->OpenKey(this->Path("Sibling"), kKeyRead), nullptr);
  // A new key of the same name starts empty.
  auto again = this->registry_->CreateKey(this->Path("Port"), kKeyAllAccess);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->SubkeyNames().empty());
  EXPECT_FALSE(again->ReadValue("Delay").has_value());
}

TYPED_TEST(RegistryContractTest, DeletingAMissingKeyFails) {
  EXPECT_FALSE(this->registry_->DeleteKeyTree(this->Path("NeverThere")));
}

TYPED_TEST(RegistryContractTest, WritesIntoADeletedKeyFail) {
  auto key = this->registry_->CreateKey(this->Path("Doomed"), kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(this->registry_->DeleteKeyTree(this->Path("Doomed")));
  EXPECT_FALSE(key->WriteString("Command", "x"));
  EXPECT_EQ(this->registry_->OpenKey(this->Path("Doomed"), kKeyRead), nullptr);  // not brought back
}

// The program's own view is the 32-bit view. A key made there is not in the
// 64-bit view: on 64-bit Windows that is another view, elsewhere there is
// none.
TYPED_TEST(RegistryContractTest, TheProgramsKeysAreThoseOfThe32BitView) {
  ASSERT_NE(this->registry_->CreateKey(this->Path("View"), kKeyAllAccess), nullptr);
  EXPECT_NE(this->registry_->OpenKey(this->Path("View"), kKeyRead | platform::kKeyWow64_32Key),
            nullptr);
  EXPECT_EQ(this->registry_->OpenKey(this->Path("View"), kKeyRead | platform::kKeyWow64_64Key),
            nullptr);
}

}  // namespace
