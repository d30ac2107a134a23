// A job's title: from the "%%Title:" comment of the driver's PostScript, in
// each of its forms, and without the decorations of common applications.
#include "procs/document_title.h"

#include <gtest/gtest.h>

namespace {

TEST(DocumentTitleTest, TheTitleCommentInEachForm) {
  const struct {
    const char* what;
    std::string header, title;
  } cases[] = {
      {"plain text", "%!PS-Adobe-3.0\r\n%%Title: Microsoft Word - Report.docx  \r\n",
       "Microsoft Word - Report.docx"},
      {"a string with escapes", "%!PS\n%%Title: (A \\(draft\\) \\\\ \\101\\102 x)\n",
       "A (draft) \\ AB x"},
      {"balanced parentheses", "%!PS\n%%Title: (f(x) = 1)\n", "f(x) = 1"},
      {"a hex string, odd last digit", "%!PS\n%%Title: <D09E 7465 7>\n", "\xD0\x9Ete\x70"},
      {"lone CRs, after a PJL preamble", "\x1B%-12345X@PJL\r%!PS\r%%Creator: x\r%%Title: Notes\r",
       "Notes"},
      {"only in the header", "%!PS\n%%EndComments\n%%Title: Late\n", ""},
      {"none", "%!PS\n%%Creator: Word\n", ""},
      {"an unended string", "%!PS\n%%Title: (Open", "Open"},
  };
  for (const auto& c : cases) EXPECT_EQ(procs::PostScriptTitle(c.header), c.title) << c.what;
}

TEST(DocumentTitleTest, ApplicationsAndExtensionsGo) {
  const struct {
    const char* given;
    const char* clean;
  } cases[] = {
      {"Microsoft Word - Report.docx", "Report"},
      {"  Microsoft Excel - Budget 2027.XLSX ", "Budget 2027"},
      {"notes.txt - Notepad", "notes"},
      {"Quarterly report", "Quarterly report"},
      {"archive.tar.gz", "archive.tar.gz"},
      {"v1.2 Plan.pdf", "v1.2 Plan"},
      {".docx", ".docx"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(procs::CleanTitle(c.given), c.clean) << c.given;
}

}  // namespace
