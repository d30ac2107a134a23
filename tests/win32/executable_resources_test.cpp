// The built pdfprinter.exe as Windows and Explorer see it: its icon and
// manifest read back with wrestool (icoutils), its version information
// through the system's version API. (Wine answers another process's
// WM_GETICON with nothing, so scripts/setup-window-screenshots.sh finds the
// icon in the title bar of the screenshot instead.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/windows_api.h"
#include "support/scratch_dir.h"
#include "win32/unix_command.h"

namespace {

using testing_support::UnixQuote;

TEST(ExecutableResources, IconVersionInformationAndManifest) {
  if (!testing_support::RunningUnderWine()) GTEST_SKIP() << "needs Wine";
  testing_support::ScratchDir dir;
  auto extract = [&](const std::string& options, const std::string& name) {
    const std::string file = testing_support::UnixPath(dir.File(name)).value_or("");
    auto result = testing_support::RunUnixCommand(
        "wrestool -x " + options + " -o " + UnixQuote(file) + " " + UnixQuote(PDFPRINTER_EXE));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return testing_support::ReadBytes(dir.File(name));
  };

  // An icon file of three images (its header), each square, one plane, 32
  // bits (the start of each entry): 16, 32 and 48 pixels.
  const std::string ico = extract("-t 14", "icon.ico");
  ASSERT_GE(ico.size(), 6u + 3 * 16);
  std::string entries = ico.substr(0, 6);
  for (int i = 0; i < 3; ++i) entries += ico.substr(6 + 16 * i, 8);
  EXPECT_EQ(entries, std::string("\0\0\1\0\3\0"
                                 "\x10\x10\0\0\1\0\x20\0"
                                 "\x20\x20\0\0\1\0\x20\0"
                                 "\x30\x30\0\0\1\0\x20\0",
                                 30));

  const std::string exe = testing_support::WindowsPath(PDFPRINTER_EXE).value_or("");
  DWORD ignored = 0;
  std::vector<char> info(::GetFileVersionInfoSizeA(exe.c_str(), &ignored));
  ASSERT_TRUE(!info.empty() && ::GetFileVersionInfoA(exe.c_str(), 0, info.size(), info.data()));
  for (auto [name, expected] : {std::pair{"ProductName", "PDF Printer"},
                                {"FileVersion", PDFPRINTER_VERSION},
                                {"LegalCopyright", "Copyright (C) 2026 The PDF Printer authors"}}) {
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    ASSERT_TRUE(
        ::VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(value, expected);
  }

  const std::string manifest = extract("--raw -t 24", "manifest.xml");
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
  for (const char* system : {"e2011457-1546-43c5-a5fe-008deee3d3f0",     // Vista
                             "35138b9a-5d96-4fbd-8e2d-a2440225f93a",     // 7
                             "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",     // 8
                             "1f676c76-80e1-4239-95bb-83d0f6d0da78",     // 8.1
                             "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {  // 10 and 11
    EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + system + "}\"/>"),
              std::string::npos)
        << system;
  }
  // The classic controls the layout was made for.
  EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

}  // namespace
