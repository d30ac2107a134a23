// The CodePages backend of this build (Linux: UTF-8 program, Windows-1252
// legacy; under Wine, this test program runs in code page 1252) and the
// fake in both of its modes: a Western system's legacy text converts the same
// way everywhere.
#include <gtest/gtest.h>

#include <string>

#include "platform/common/windows_1252_code_pages.h"
#include "platform/services.h"

namespace {

TEST(CodePagesContractTest, LegacyTextOfAWesternSystem) {
  platform::Windows1252CodePages utf8Fake(true), legacyFake(false);
  const struct {
    const char* what;
    platform::CodePages* backend;
  } backends[] = {{"native", platform::NativeServices().codePages},
                  {"fake, UTF-8 program", &utf8Fake},
                  {"fake, legacy program", &legacyFake}};
  const std::string legacy = "C:\\J\xFCrgen \x80";
  for (const auto& [what, backend] : backends) {
    SCOPED_TRACE(what);
    ASSERT_NE(backend, nullptr);
    const std::string program = backend->LegacyToProgram(legacy);
    EXPECT_EQ(backend->Utf8Program(), program == "C:\\J\xC3\xBCrgen \xE2\x82\xAC") << program;
    EXPECT_EQ(backend->ProgramToUtf8(program), "C:\\J\xC3\xBCrgen \xE2\x82\xAC");
    EXPECT_EQ(backend->ProgramToLegacy(program), legacy);
    for (const std::string ascii : {"", "C:\\PDF files\\pdf_01.pdf"}) {
      EXPECT_EQ(backend->LegacyToProgram(ascii), ascii);
      EXPECT_EQ(backend->ProgramToUtf8(ascii), ascii);
      EXPECT_EQ(backend->ProgramToLegacy(ascii), ascii);
    }
    // Cyrillic has no place in code page 1252.
    if (backend->Utf8Program()) {
      EXPECT_EQ(backend->ProgramToLegacy("\xD0\x9E\xD1\x82"), "??");
    }
  }
}

}  // namespace
