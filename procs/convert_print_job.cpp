#include "procs/convert_print_job.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/automatic_name.h"
#include "procs/ghostscript/ghostscript_location.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "procs/ghostscript/ghostscript_run.h"
#include "procs/outside_programs.h"
#include "settings/port_options.h"
#include "settings/settings_file.h"

namespace procs {

namespace {

constexpr int kSwShowNormal = 1;

// What the job shows has the job's own owner and comes to the foreground.
constexpr uint32_t kJobBox = platform::kMbOwnedByJob | platform::kMbSetForeground;

// Shown in the "Error" box, or written to the system's log where no user
// can see a box; the job ends with exit code 1 either way.
[[noreturn]] void FailJob(const std::string& text) {
  auto& services = platform::Current();
  if (services.desktop->UserCanSee()) {
    services.messageBoxes->Show(text, "Error", platform::kMbOk | platform::kMbIconError | kJobBox);
  } else {
    services.desktop->LogError(text);
  }
  throw platform::ExitWithCode(1);
}

// The console program's folder (with a trailing delimiter) and its file
// name there, "" when it is missing.
struct Ghostscript {
  std::string folder;
  std::string program;
};

Ghostscript FindGhostscript() {
  Ghostscript found;
  found.folder = platform::path::AddTrailingDelimiter(FindGhostscriptFolder(Store::kBestEffort));
  found.program = GhostscriptProgramIn(found.folder);
  return found;
}

// True when the program is to end ("Cancel"), false to go on to set-up mode.
bool ReportMissingGhostscript(const std::string& folder, bool visible) {
  const std::string text =
      "Cannot find " + folder + GhostscriptProgramName() + " - please install/locate...";
  if (!visible) FailJob(text);
  int answer = platform::Current().messageBoxes->Show(
      text, "Error", platform::kMbOkCancel | platform::kMbIconError | kJobBox);
  return answer != platform::kIdOk;
}

// The options of the port the job came through: every argument from 1 on
// that begins with "PPP" names a port, the last one winning, and each
// records the spool file for the user's information.
settings::PortOptions ReadJobPortOptions(const std::string& inputPath,
                                         const platform::Arguments& arguments) {
  settings::PortOptions options;
  for (size_t n = 1; n <= arguments.Count(); ++n) {
    std::string port = arguments.Get(n);
    if (port.compare(0, 3, "PPP") != 0) continue;
    settings::SettingsFile file;
    options = settings::ReadPortOptions(file, port);
    // A settings file the job cannot write never stops a print.
    try {
      file.WriteText(settings::kLastInputFile, inputPath);
    } catch (const platform::EIniFileException&) {
    }
  }
  return options;
}

// The save dialog of a port that asks for the name.
platform::FileDialogRequest SaveDialog(const std::string& saveFolder) {
  platform::FileDialogRequest dialog;
  dialog.title = "Save PDF file as...";
  dialog.filter = "Adobe Acrobat files (*.pdf)|*.pdf|All files (*.*)|*.*";
  dialog.filterIndex = 1;
  dialog.defaultExtension = ".pdf";
  dialog.initialFolder = saveFolder;
  dialog.options = platform::kOfnOverwritePrompt | platform::kOfnHideReadOnly |
                   platform::kOfnEnableSizing | platform::kOfnExplorer;
  dialog.ownedByJob = true;
  return dialog;
}

// Where the PDF goes: an automatic name the job made its own at once (held
// open, and removed again however the job ends unless kept), or a name
// chosen in the dialog, opened only once there is a PDF to put in it.
class OutputFile {
 public:
  static OutputFile Claimed(ClaimedName claimed) {
    OutputFile output(claimed.path);
    output.claimed_ = true;
    output.file_ = std::move(claimed.file);
    return output;
  }
  static OutputFile Chosen(std::string path) { return OutputFile(std::move(path)); }

  OutputFile(OutputFile&&) = default;
  ~OutputFile() {
    file_.reset();
    if (claimed_ && !kept_) platform::Current().files->DeleteFile(path_);
  }

  const std::string& Path() const { return path_; }

  // Puts the made PDF's bytes in the file. 0, or the Windows-numbered error
  // code; a chosen file then holds nothing of the PDF.
  int TakeFrom(const std::string& made) {
    auto& files = *platform::Current().files;
    int error = 0;
    if (!file_) file_ = files.CreateForWriting(path_, platform::CreateMode::kReplace, error);
    if (file_) error = file_->CopyFrom(made);
    if (error && file_ && !claimed_) {
      file_.reset();
      files.DeleteFile(path_);
    }
    return error;
  }

  // The PDF is whole: it stays, closed.
  void Keep() {
    file_.reset();
    kept_ = true;
  }

 private:
  explicit OutputFile(std::string path) : path_(std::move(path)) {}
  std::string path_;
  bool claimed_ = false;
  bool kept_ = false;
  std::unique_ptr<platform::WritableFile> file_;
};

// The save folder made, then the name: the automatic one for save type 1
// and wherever no user can answer a dialog (only 1 names automatically;
// anything else asks), else the dialog's. Nothing when the user cancels.
std::optional<OutputFile> SettleOutputName(const settings::PortOptions& options, bool visible) {
  auto& services = platform::Current();
  const std::string& folder = options.saveToFolder;
  if (!folder.empty()) {
    if (int error = services.files->CreateFolders(folder)) {
      FailJob("The folder " + folder + " cannot be made: " + platform::InOutErrorText(error) + ".");
    }
  }
  if (options.saveType == 1 || !visible) {
    try {
      return OutputFile::Claimed(ClaimAutomaticName(folder));
    } catch (const platform::Error& error) {
      FailJob(error.Message() + ".");
    }
  }
  auto chosen = services.dialogs->SaveFile(SaveDialog(folder));
  if (!chosen) return std::nullopt;
  return OutputFile::Chosen(*chosen);
}

// The job's own files in the user's temporary folder, removed when the job
// ends however it ends.
class TemporaryFiles {
 public:
  TemporaryFiles() = default;
  ~TemporaryFiles() {
    for (const std::string& path : paths_) platform::Current().files->DeleteFile(path);
  }
  TemporaryFiles(const TemporaryFiles&) = delete;
  TemporaryFiles& operator=(const TemporaryFiles&) = delete;

  std::string Make() {
    std::optional<std::string> path = platform::Current().files->CreateTemporaryFile();
    if (!path) FailJob("No temporary file can be made for the print job.");
    paths_.push_back(*path);
    return *path;
  }

 private:
  std::vector<std::string> paths_;
};

// "GhostscriptTimeLimit" in "Options": seconds, 0 for none; a negative or
// unreadable value is the default.
std::optional<std::chrono::seconds> GhostscriptTimeLimit() {
  int32_t seconds = settings::SettingsFile().ReadNumber(settings::kGhostscriptTimeLimit,
                                                        settings::kDefaultGhostscriptTimeLimit);
  if (seconds < 0) seconds = settings::kDefaultGhostscriptTimeLimit;
  if (seconds == 0) return std::nullopt;
  return std::chrono::seconds(seconds);
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

// Runs Ghostscript on the spool file into a file of the job's own (nothing
// of the job lies in the Ghostscript folder or the program's) and returns
// that file once it holds a whole PDF; a failure ends the job, naming
// outputPath, the PDF that was not created.
std::string RunGhostscript(const Ghostscript& ghostscript, const std::string& inputPath,
                           const std::string& outputPath, TemporaryFiles& temporary) {
  const std::string responseFile = temporary.Make();
  const std::string made = temporary.Make();
  const bool utf8 = ReadsResponseFileAsUtf8(ghostscript.folder);
  for (const auto& line : ResponseFileLines(ghostscript.folder, made))
    platform::AppendLine(responseFile, InGhostscriptCodePage(line, utf8));

  const std::optional<std::chrono::seconds> limit = GhostscriptTimeLimit();
  const platform::LaunchResult run = RunAndWait(
      GhostscriptCommandLine(ghostscript.folder, ghostscript.program, responseFile, inputPath),
      kSwHide, limit);
  switch (run.ending()) {
    case platform::LaunchResult::Ending::kExited:
      if (*run.ExitCode() == 0 && EndsLikeAWholePdf(made)) return made;
      FailJob("Ghostscript could not create " + outputPath + " (exit code " +
              std::to_string(*run.ExitCode()) + ").");
    case platform::LaunchResult::Ending::kStoppedAtLimit:
      FailJob("Ghostscript did not finish within " + std::to_string(limit->count()) +
              " seconds, so " + outputPath + " was not created.");
    default:
      FailJob("Ghostscript (" + ghostscript.folder + ghostscript.program +
              ") could not be started, so " + outputPath + " was not created.");
  }
}

// The made PDF into its file; a failure ends the job, and a file the dialog
// chose is left as it was.
void PutPdfInPlace(const std::string& made, OutputFile& output) {
  if (int error = output.TakeFrom(made)) {
    FailJob("The PDF could not be written to " + output.Path() + ": " +
            platform::InOutErrorText(error) + ".");
  }
  output.Keep();
}

void ShowPdf(const std::string& path) {
  platform::Current().shell->Execute("open", path, "", "c:\\", kSwShowNormal);
}

}  // namespace

bool ConvertPrintJob(const std::string& inputPath, const platform::Arguments& arguments) {
  // Where no user can see a window (the spooler's session 0, a service's
  // window station), nothing is shown and nothing waits for an answer.
  const bool visible = platform::Current().desktop->UserCanSee();
  const Ghostscript ghostscript = FindGhostscript();
  if (ghostscript.program.empty()) return ReportMissingGhostscript(ghostscript.folder, visible);
  const settings::PortOptions options = ReadJobPortOptions(inputPath, arguments);
  std::optional<OutputFile> output = SettleOutputName(options, visible);
  if (!output) return true;
  TemporaryFiles temporary;
  PutPdfInPlace(RunGhostscript(ghostscript, inputPath, output->Path(), temporary), *output);
  if (options.showPdf && visible) ShowPdf(output->Path());
  return true;
}

}  // namespace procs
