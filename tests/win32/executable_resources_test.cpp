// The built pdfprinter.exe as Windows and Explorer see it: its icon and
// manifest read back with wrestool (icoutils), its version information with
// the system's version API. (Wine answers WM_GETICON of another process
// with nothing, so the title bar's icon is checked on the screenshot, by
// scripts/setup-window-screenshots.sh.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"
#include "support/scratch_dir.h"
#include "win32/unix_command.h"

namespace {

using testing_support::UnixQuote;

class ExecutableResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::RunningUnderWine()) GTEST_SKIP() << "needs Wine";
  }

  // wrestool's extraction of one resource type into a file of the scratch
  // folder; its bytes.
  std::string Extract(const std::string& options, const std::string& name) {
    const std::string file = dir_.File(name);
    auto result = testing_support::RunUnixCommand(
        "wrestool -x " + options + " -o " +
        UnixQuote(testing_support::UnixPath(file).value_or(file)) + " " + UnixQuote(PDFPRINTER_EXE));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return testing_support::ReadBytes(file);
  }

  std::string VersionString(const std::string& name) {
    const std::string exe = testing_support::WindowsPath(PDFPRINTER_EXE).value_or("");
    DWORD ignored = 0;
    std::vector<char> info(::GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    if (info.empty() || !::GetFileVersionInfoA(exe.c_str(), 0, info.size(), info.data())) return "";
    char* value = nullptr;
    UINT length = 0;
    std::string path = "\\StringFileInfo\\040904E4\\" + name;
    if (!::VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
      return "<absent>";
    }
    return std::string(value, length ? length - 1 : 0);
  }

  testing_support::ScratchDir dir_;
};

TEST_F(ExecutableResourcesTest, IconOfThreeSizes) {
  const std::string ico = Extract("-t 14", "pdfprinter.ico");
  ASSERT_GE(ico.size(), 6u + 3 * 16);
  EXPECT_EQ(ico.substr(0, 6), std::string("\0\0\1\0\3\0", 6));  // an icon file of 3 images
  std::vector<int> sizes;
  for (int i = 0; i < 3; ++i) {
    const char* entry = ico.data() + 6 + 16 * i;
    sizes.push_back(static_cast<unsigned char>(entry[0]));
    EXPECT_EQ(entry[0], entry[1]) << "square";
    EXPECT_EQ(entry[6], 32) << "32 bits per pixel, with alpha";
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

TEST_F(ExecutableResourcesTest, VersionInformationFromTheProject) {
  EXPECT_EQ(VersionString("ProductName"), "PDF Printer");
  EXPECT_EQ(VersionString("ProductVersion"), PDFPRINTER_VERSION);
  EXPECT_EQ(VersionString("FileVersion"), PDFPRINTER_VERSION);
  EXPECT_EQ(VersionString("OriginalFilename"), "pdfprinter.exe");
  EXPECT_NE(VersionString("FileDescription").find("PostScript"), std::string::npos);
  EXPECT_EQ(VersionString("LegalCopyright").rfind("Copyright (C) ", 0), 0u);
}

TEST_F(ExecutableResourcesTest, ManifestAsksForTheHighestRightsAndNamesTheSystems) {
  const std::string manifest = Extract("--raw -t 24", "pdfprinter.manifest");
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"highestAvailable\""),
            std::string::npos)
      << manifest;
  for (const char* system : {"e2011457-1546-43c5-a5fe-008deee3d3f0",    // Vista
                             "35138b9a-5d96-4fbd-8e2d-a2440225f93a",    // 7
                             "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",    // 8
                             "1f676c76-80e1-4239-95bb-83d0f6d0da78",    // 8.1
                             "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {  // 10 and 11
    EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + system + "}\"/>"),
              std::string::npos)
        << system;
  }
  // The classic controls the layout was made for.
  EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

}  // namespace
