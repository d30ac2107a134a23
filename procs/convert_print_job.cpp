#include "procs/convert_print_job.h"

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "platform/system_lock.h"
#include "procs/automatic_name.h"
#include "procs/find_ghostscript_folder.h"
#include "procs/ghostscript_folder.h"
#include "procs/outside_programs.h"
#include "procs/response_file.h"
#include "settings/settings_file.h"

namespace procs {

namespace {

constexpr int kSwShowNormal = 1;
// Jobs wait for each other from choosing the automatic name to the end of
// Ghostscript: they share the one response file and the pdf_NN numbers.
constexpr char kJobLockName[] = "PdfPrinterJob";

struct PortOptions {
  bool showPdf = true;
  int32_t saveType = 0;
  std::string saveFolder = "c:\\";
};

PortOptions ReadPortOptions(const std::string& inputPath, const platform::Arguments& arguments) {
  PortOptions options;
  for (size_t n = 1; n <= arguments.Count(); ++n) {
    std::string port = arguments.Get(n);
    if (port.compare(0, 3, "PPP") != 0) continue;
    settings::SettingsFile file;
    options.showPdf = file.ReadFlag(port, "ShowPDF", true);
    options.saveType = file.ReadNumber(port, "SaveType", 0);
    options.saveFolder = file.ReadText(port, "SaveToFolder", "c:\\");
    file.WriteText("Log", "LastInputFile", inputPath);
  }
  return options;
}

platform::FileDialogRequest SaveDialog(const PortOptions& options) {
  platform::FileDialogRequest dialog;
  dialog.title = "Save PDF file as...";
  dialog.filter = "Adobe Acrobat files (*.pdf)|*.pdf|All files (*.*)|*.*";
  dialog.filterIndex = 1;
  dialog.defaultExtension = ".pdf";
  dialog.initialFolder = options.saveFolder;
  dialog.options = platform::kOfnOverwritePrompt | platform::kOfnHideReadOnly |
                   platform::kOfnEnableSizing | platform::kOfnExplorer;
  return dialog;
}

// Ghostscript ends every PDF it finishes with the trailer's "%%EOF" (and a
// line end); a file cut short has none. A full disk is such a case that
// Ghostscript reports only on its console, with exit code 0.
bool EndsLikeAWholePdf(const std::string& path) {
  std::string end;
  if (!platform::Current().files->ReadFileEnd(path, 1024, end)) return false;
  size_t last = end.find_last_not_of(" \t\r\n");
  return last != std::string::npos && last >= 4 && end.compare(last - 4, 5, "%%EOF") == 0;
}

// After a failed run what Ghostscript left at the output path is no whole
// PDF (a blank page, some of the pages, a cut file): it goes, unless it is
// the file that was there before the run, untouched (one the save dialog
// chose to overwrite and Ghostscript never opened).
void RemoveWhatGhostscriptLeft(const std::string& outputPath,
                               const std::optional<platform::FileStamp>& before) {
  auto& files = *platform::Current().files;
  auto after = files.Stamp(outputPath);
  if (after && after != before) files.DeleteFile(outputPath);
}

[[noreturn]] void FailJob(const std::string& text) {
  platform::Current().messageBoxes->Show(text, "Error", platform::kMbOk | platform::kMbIconError);
  throw platform::ExitWithCode(1);
}

}  // namespace

bool ConvertPrintJob(const std::string& inputPath, const platform::Arguments& arguments) {
  auto& services = platform::Current();

  GhostscriptFolder = platform::path::AddTrailingDelimiter(FindGhostscriptFolder());
  std::string programName = GhostscriptProgramIn(GhostscriptFolder);
  if (programName.empty()) {
    int answer =
        services.messageBoxes->Show("Cannot find " + GhostscriptFolder + GhostscriptProgramName() +
                                        " - please install/locate...",
                                    "Error", platform::kMbOkCancel | platform::kMbIconError);
    return answer != platform::kIdOk;
  }
  std::string program = GhostscriptFolder + programName;

  PortOptions options = ReadPortOptions(inputPath, arguments);
  platform::FileDialogRequest dialog = SaveDialog(options);

  // Only 1 names automatically; anything else asks, so no empty name ever
  // reaches Ghostscript.
  std::unique_ptr<platform::SystemLock> lock;
  std::string outputPath;
  if (options.saveType == 1) {
    lock = platform::AcquireSystemLock(kJobLockName);
    outputPath = NextAutomaticName(options.saveFolder);
  } else {
    auto chosen = services.dialogs->SaveFile(dialog);
    if (!chosen) return true;
    outputPath = *chosen;
    lock = platform::AcquireSystemLock(kJobLockName);
  }

  std::string responseFile = GhostscriptFolder + kResponseFileName;
  services.files->DeleteFile(responseFile);
  for (const auto& line : ResponseFileLines(GhostscriptFolder, outputPath)) {
    AppendLine(responseFile, line);
  }

  const auto before = services.files->Stamp(outputPath);
  auto exitCode =
      RunAndWait(GhostscriptCommandLine(GhostscriptFolder, programName, inputPath), kSwHide);
  const bool made = exitCode && *exitCode == 0 && EndsLikeAWholePdf(outputPath);
  if (!made) RemoveWhatGhostscriptLeft(outputPath, before);
  lock.reset();
  if (!exitCode) {
    FailJob("Ghostscript (" + program + ") could not be started, so " + outputPath +
            " was not created.");
  }
  if (!made) {
    FailJob("Ghostscript could not create " + outputPath + " (exit code " +
            std::to_string(*exitCode) + ").");
  }

  if (options.showPdf) {
    services.shell->Execute("open", outputPath, "", "c:\\", kSwShowNormal);
  }
  return true;
}

}  // namespace procs
