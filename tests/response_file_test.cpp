#include "procs/ghostscript/ghostscript_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/fake/fake_services.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "support/scratch_dir.h"

namespace {

using platform::path::Style;

TEST(ResponseFileTest, ParentFolder) {
  struct {
    std::string folder;
    Style style;
    std::string parent;
  } cases[] = {
      {"D\\V\\bin\\", Style::Windows, "D\\V\\"},
      {"D\\V\\bin", Style::Windows, "D\\V\\"},
      {"D\\V\\", Style::Windows, "D\\"},
      {"C:\\", Style::Windows, "C:\\"},
      {"C:\\gs\\", Style::Windows, "C:\\"},
      {"bin", Style::Windows, "\\"},
      {"", Style::Windows, "\\"},
      {"\\", Style::Windows, "\\"},
      {"/usr/bin/", Style::Posix, "/usr/"},
      {"/usr/", Style::Posix, "/"},
      {"/", Style::Posix, "/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(platform::path::ParentFolder(c.folder, c.style), c.parent);
  }
  EXPECT_EQ(platform::path::ParentFolder(
                platform::path::ParentFolder("D\\V\\bin\\", Style::Windows), Style::Windows),
            "D\\");
}

TEST(ResponseFileTest, NineLinesByteForByte) {
  std::vector<std::string> expected = {
      "\"-IC:\\gs\\gs8.54\\lib;C:\\gs\\fonts\"",
      " -sDEVICE=pdfwrite",
      " -dBATCH",
      " -dNOPAUSE",
      " -dSAFER",
      " -q",
      " -sOutputFile=\"C:\\out put\\pdf_01.pdf\"",
      " -c save pop",
      " -f",
  };
  EXPECT_EQ(procs::ResponseFileLines("C:\\gs\\gs8.54\\bin\\", "C:\\out put\\pdf_01.pdf", {},
                                     Style::Windows),
            expected);
  // Ghostscript reads "%" in the output name as a pattern: doubled, it is a "%".
  EXPECT_EQ(
      procs::ResponseFileLines("C:\\gs\\bin\\", "C:\\a%%b\\100%\\%d.pdf", {}, Style::Windows)[6],
      " -sOutputFile=\"C:\\a%%%%b\\100%%\\%%d.pdf\"");
  EXPECT_EQ(procs::ResponseFileLines("D:\\", "", {}, Style::Windows)[0], "\"-ID:\\lib;D:\\fonts\"");
  EXPECT_EQ(procs::ResponseFileLines("/opt/gs/9/bin/", "/o.pdf", {}, Style::Posix)[0],
            "\"-I/opt/gs/9/lib;/opt/gs/fonts\"");
}

TEST(ResponseFileTest, AppendLineCreatesThenAppendsWithCrLf) {
  testing_support::ScratchDir dir;
  std::string file = dir.File("tarnel.rsp");
  platform::AppendLine(file, "first");
  EXPECT_EQ(testing_support::ReadBytes(file), "first\r\n");
  platform::AppendLine(file, " second");
  platform::AppendLine(file, "");
  EXPECT_EQ(testing_support::ReadBytes(file), "first\r\n second\r\n\r\n");
}

TEST(ResponseFileTest, AppendLineFailuresRaiseTheIoErrorText) {
  testing_support::ScratchDir dir;
  std::filesystem::create_directory(dir.File("folder"));
  struct {
    std::string path;
    int code;
    std::string text;
  } cases[] = {
      {dir.File("folder"), 5, "File access denied"},
      {dir.File("missing") + "/x/../tarnel.rsp", 3, "Invalid filename"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      platform::AppendLine(c.path, "line");
      ADD_FAILURE() << "no error";
    } catch (const platform::EInOutError& e) {
      EXPECT_EQ(e.code, c.code);
      EXPECT_EQ(e.Message(), c.text);
      EXPECT_EQ(e.Kind(), "EInOutError");
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
}

// Ghostscript 9.10 and later read the response file as UTF-8, older ones in
// the legacy code page; the version is the installers' folder name.
TEST(ResponseFileTest, TheCodePageGhostscriptReads) {
  const struct {
    std::string folder;
    bool utf8;
  } folders[] = {
      {"C:\\Program Files\\gs\\gs10.04.0\\bin\\", true},
      {"C:\\gs\\GS9.10\\bin\\", true},
      {"C:\\gs\\gs9.05\\bin\\", false},
      {"C:\\gs\\gs8.54\\bin\\", false},
      {"C:\\gs\\gsview\\bin\\", true},  // no version: one of today's
      {"C:\\tools\\", true},
  };
  for (const auto& c : folders) {
    EXPECT_EQ(procs::ReadsResponseFileAsUtf8(c.folder, Style::Windows), c.utf8) << c.folder;
  }
  platform::fake::FakeServices fakes;
  for (bool utf8Program : {true, false}) {
    SCOPED_TRACE(utf8Program ? "UTF-8 program" : "program in 1252");
    fakes.codePages.utf8Program = utf8Program;
    const std::string line = utf8Program ? "C:\\J\xC3\xBCrgen" : "C:\\J\xFCrgen";
    EXPECT_EQ(procs::InGhostscriptCodePage(line, true), "C:\\J\xC3\xBCrgen");
    EXPECT_EQ(procs::InGhostscriptCodePage(line, false), "C:\\J\xFCrgen");
  }
}

TEST(ResponseFileTest, InOutErrorTexts) {
  struct {
    int code;
    const char* text;
  } cases[] = {{2, "File not found"},
               {3, "Invalid filename"},
               {4, "Too many open files"},
               {5, "File access denied"},
               {100, "Read beyond end of file"},
               {101, "Disk full"},
               {106, "Invalid numeric input"},
               {32, "I/O error 32"}};
  for (const auto& c : cases) EXPECT_EQ(platform::InOutErrorText(c.code), c.text) << c.code;
}

// What a PDF is to be, in the lines before the output file's: PDF/A (what
// it forbids left out, colours in sRGB, the profile readable under SAFER
// where Ghostscript takes that switch) and the quality preset.
TEST(ResponseFileTest, PdfaAndQualityLines) {
  auto output = [](int type, std::string quality, std::string profile, bool permit) {
    procs::PdfOutput made;
    made.pdfType = type, made.quality = quality, made.iccProfile = profile;
    made.permitProfile = permit;
    return made;
  };
  const struct {
    procs::PdfOutput output;
    std::vector<std::string> lines;
  } cases[] = {
      {output(0, "", "", true), {}},
      {output(0, "screen", "", true), {" -dPDFSETTINGS=/screen"}},
      {output(0, "huge", "", true), {}},
      {output(1, "", "C:\\gs\\iccprofiles\\srgb.icc", true),
       {" -dPDFA=1", " -dPDFACompatibilityPolicy=1", " -sColorConversionStrategy=RGB",
        " -sProcessColorModel=DeviceRGB", " --permit-file-read=\"C:\\gs\\iccprofiles\\srgb.icc\""}},
      {output(2, "ebook", "x.icc", false),
       {" -dPDFA=2", " -dPDFACompatibilityPolicy=1", " -sColorConversionStrategy=RGB",
        " -sProcessColorModel=DeviceRGB", " -dPDFSETTINGS=/ebook"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines =
        procs::ResponseFileLines("C:\\gs\\bin\\", "C:\\o.pdf", c.output, Style::Windows);
    ASSERT_EQ(lines.size(), 9 + c.lines.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end() - 3), c.lines);
    EXPECT_EQ(lines[6 + c.lines.size()], " -sOutputFile=\"C:\\o.pdf\"");
  }
  EXPECT_NE(procs::PdfaDefinition("C:\\gs (x)\\srgb.icc", true)
                .find("[{icc_PDFA} (C:\\\\gs \\(x\\)\\\\srgb.icc) (r) file /PUT pdfmark"),
            std::string::npos);
}

// The document's information: ASCII as plain strings, anything else as
// UTF-16 (or left out, for a Ghostscript that would drop it all), and the
// time in UTC as PDF/A validators read it.
TEST(ResponseFileTest, DocumentInformation) {
  platform::fake::FakeServices fakes;
  const std::time_t when = 1796812800;  // 2026-12-09 10:40:00 UTC
  const std::string tail = " /Creator (PDF Printer " PDFPRINTER_VERSION
                           ") /CreationDate (D:20261209104000+00'00') "
                           "/ModDate (D:20261209104000+00'00') /DOCINFO pdfmark";
  const struct {
    std::string title, author;
    bool asciiOnly;
    std::string mark;
  } cases[] = {
      {"Plan (v2) \\ x", "Jo", false, "[ /Title (Plan \\(v2\\) \\\\ x) /Author (Jo)" + tail},
      {"", "Jo", false, "[ /Author (Jo)" + tail},
      {"Caf\xC3\xA9 \xF0\x9F\x93\x84", "J\xC3\xBC", false,
       "[ /Title <FEFF00430061006600E90020D83DDCC4> /Author <FEFF004A00FC>" + tail},
      {"Caf\xC3\xA9", "Jo", true, "[ /Author (Jo)" + tail},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(procs::DocumentInfoPdfmark(c.title, c.author, when, c.asciiOnly), c.mark) << c.title;
  }
}

}  // namespace
