// The options of one port, kept in the settings file's section named after
// the port ("PPP1:"): each with its key and default, read and written here
// and nowhere else. An option is one field of PortOptions (its initial value
// is the default) and one entry of PortOptionTable().
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "settings/settings_file.h"

namespace settings {

struct PortOptions {
  // The folder the port's PDF files are saved in.
  std::string saveToFolder = "c:\\";
  // 0: ask for the file name in a save dialog (which starts with the
  // template's name); 1: the next free pdf_NN.pdf; 2: the template's name.
  int32_t saveType = 0;
  // Open the PDF when it is made.
  bool showPdf = true;
  // The name the job's details give a PDF (procs/name_template.h).
  std::string nameTemplate = "<Title>";
  // When the template's name is taken: 0 a number is added ("Report
  // (2).pdf"); 1 the file there is replaced; 2 the job's pages are added
  // after its pages.
  int32_t ifFileExists = 0;
  // 0: PDF; 1: PDF/A-1b; 2: PDF/A-2b.
  int32_t pdfType = 0;
  // Ghostscript's -dPDFSETTINGS preset ("screen", "ebook", "printer",
  // "prepress", "default"); "" for Ghostscript's own output.
  std::string quality;
};

inline constexpr int32_t kSaveTypeAsk = 0;
inline constexpr int32_t kSaveTypeAutomatic = 1;
inline constexpr int32_t kSaveTypeTemplate = 2;
inline constexpr int32_t kIfFileExistsAddNumber = 0;
inline constexpr int32_t kIfFileExistsReplace = 1;
inline constexpr int32_t kIfFileExistsAppend = 2;

struct PortOption {
  const char* key;
  std::variant<std::string PortOptions::*, int32_t PortOptions::*, bool PortOptions::*> field;
};

// Every option, in the order a save writes them.
const std::vector<PortOption>& PortOptionTable();

// The option's default as the settings file stores it ("c:\", "0", "1").
std::string DefaultText(const PortOption& option);

// The port's options; an absent key, or a value that does not fit its kind,
// reads as its default.
PortOptions ReadPortOptions(const SettingsFile& file, const std::string& port);

// Writes every option of the port, in the table's order; raises
// EIniFileException at the first write the system refuses.
void WritePortOptions(SettingsFile& file, const std::string& port, const PortOptions& options);

}  // namespace settings
