// The automatic name a job's PDF takes, from one listing of the folder and
// the moves that take a name only where nothing stands, on the real Files
// backend of this build (POSIX natively, Win32 under Wine).
#include "procs/numbered_name.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
namespace path = platform::path;

// Entries by name: "name" a file, "name/" a folder, "name>file",
// "name>folder" and "name>nowhere" links (POSIX only).
void Make(const std::string& folder, const std::string& entry, const std::string& target) {
  const size_t link = entry.find('>');
  const fs::path at = fs::path(folder) / entry.substr(0, std::min(link, entry.find('/')));
  if (link != std::string::npos) {
    fs::create_symlink(target + "/" + entry.substr(link + 1), at);
  } else if (entry.back() == '/') {
    fs::create_directory(at);
  } else {
    testing_support::WriteBytes(at.string(), "%PDF");
  }
}

TEST(AutomaticNameTest, TheLowestFreeNumberIsClaimed) {
  const bool windows = path::IsWindows(path::Style::Native);
  std::vector<std::string> upTo99;
  for (int n = 1; n <= 99; ++n)
    upTo99.push_back("pdf_" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".pdf");
  auto with = [](std::vector<std::string> entries, std::vector<std::string> more) {
    entries.insert(entries.end(), more.begin(), more.end());
    return entries;
  };
  struct {
    const char* what;
    std::vector<std::string> entries;
    std::string expected;
    bool posixOnly = false, unreadable = false;
  } cases[] = {
      {"empty", {}, "pdf_01.pdf"},
      {"gaps are filled", {"pdf_01.pdf", "pdf_03.pdf"}, "pdf_02.pdf"},
      {"a folder at a name is passed over", {"pdf_01.pdf/", "pdf_02.pdf"}, "pdf_03.pdf"},
      {"only the exact form counts",
       {"pdf_001.pdf", "pdf_1.pdf", "pdf_00.pdf", "pdf_01.pdf.bak", "xpdf_01.pdf", "pdf_01.pdfx",
        "pdf_0001.pdfx", "pdf_+1.pdf", "pdf_ 1.pdf"},
       "pdf_01.pdf"},
      {"after 99 comes 100", upTo99, "pdf_100.pdf"},
      {"100 in its exact form only", with(upTo99, {"pdf_0100.pdf"}), "pdf_100.pdf"},
      {"101", with(upTo99, {"pdf_100.pdf", "pdf_102.pdf"}), "pdf_101.pdf"},
      {"letters as the file system compares them",
       {"PDF_01.PDF", "Pdf_02.pdf", "pdf_03.PDF"},
       windows ? "pdf_04.pdf" : "pdf_01.pdf"},
      {"links to a file, a folder or nowhere are never written through",
       {"pdf_01.pdf>file", "pdf_02.pdf>folder", "pdf_03.pdf>nowhere"},
       "pdf_04.pdf",
       true},
      {"a folder that can be searched, not read (listed by tests alone)",
       {"pdf_01.pdf", "pdf_02.pdf"},
       "pdf_03.pdf",
       true,
       true},
  };
  testing_support::ScratchDir dir;
  fs::create_directory(dir.File("folder"));
  testing_support::WriteBytes(dir.File("file"), "%PDF");
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (windows && c.posixOnly) continue;
    const std::string folder = dir.File("case" + std::to_string(++row));
    fs::create_directory(folder);
    for (const auto& entry : c.entries) Make(folder, entry, dir.Path());
    const std::string made = folder + path::Delimiter() + ".made.tmp";
    testing_support::WriteBytes(made, "%PDF made");
    if (c.unreadable) fs::permissions(folder, fs::perms::owner_write | fs::perms::owner_exec);
    const std::string name = procs::MoveToFreeName(made, folder, procs::AutomaticName());
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(name, folder + path::Delimiter() + c.expected);
    EXPECT_EQ(testing_support::ReadBytes(name), "%PDF made");
    EXPECT_FALSE(fs::exists(made));
  }
  // A missing folder: no name can be taken there, and the error names it.
  try {
    procs::MoveToFreeName(dir.File("made.tmp"), dir.File("missing"), procs::AutomaticName());
    ADD_FAILURE() << "moved into a missing folder";
  } catch (const platform::Error& error) {
    EXPECT_NE(error.Message().find(dir.File("missing")), std::string::npos) << error.Message();
  }
}

}  // namespace
