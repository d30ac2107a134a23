#include "procs/convert_print_job.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/automatic_name.h"
#include "procs/find_ghostscript_folder.h"
#include "procs/ghostscript_folder.h"
#include "procs/outside_programs.h"
#include "procs/response_file.h"
#include "settings/settings_file.h"

namespace procs {

namespace {

constexpr int kSwShowNormal = 1;
constexpr int32_t kDefaultTimeLimit = 600;  // seconds

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
    // A record for the user's information: a settings file the job cannot
    // write never stops a print.
    try {
      file.WriteText("Log", "LastInputFile", inputPath);
    } catch (const platform::EIniFileException&) {
    }
  }
  return options;
}

// "GhostscriptTimeLimit" in "Options": seconds, 0 for none; a negative or
// unreadable value is the default.
std::optional<std::chrono::seconds> GhostscriptTimeLimit() {
  int32_t seconds =
      settings::SettingsFile().ReadNumber("Options", "GhostscriptTimeLimit", kDefaultTimeLimit);
  if (seconds < 0) seconds = kDefaultTimeLimit;
  if (seconds == 0) return std::nullopt;
  return std::chrono::seconds(seconds);
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
  dialog.ownedByJob = true;
  return dialog;
}

// What the job shows has the job's own owner and comes to the foreground.
constexpr uint32_t kJobBox = platform::kMbOwnedByJob | platform::kMbSetForeground;

// Ghostscript ends every PDF it finishes with the trailer's "%%EOF" (and a
// line end); a file cut short has none. A full disk is such a case that
// Ghostscript reports only on its console, with exit code 0.
bool EndsLikeAWholePdf(const std::string& path) {
  std::string end;
  if (!platform::Current().files->ReadFileEnd(path, 1024, end)) return false;
  size_t last = end.find_last_not_of(" \t\r\n");
  return last != std::string::npos && last >= 4 && end.compare(last - 4, 5, "%%EOF") == 0;
}

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

// An automatic name the job made: removed again however the job ends, unless
// it keeps it. Declared before the file's owner, so the file is closed first.
struct RemovedUnlessKept {
  std::string path;
  bool keep = false;
  ~RemovedUnlessKept() {
    if (!path.empty() && !keep) platform::Current().files->DeleteFile(path);
  }
};

}  // namespace

bool ConvertPrintJob(const std::string& inputPath, const platform::Arguments& arguments) {
  auto& services = platform::Current();

  GhostscriptFolder =
      platform::path::AddTrailingDelimiter(FindGhostscriptFolder(Store::kBestEffort));
  // Where no user can see a window (the spooler's session 0, a service's
  // window station), nothing is shown and nothing waits for an answer.
  const bool visible = services.desktop->UserCanSee();
  std::string programName = GhostscriptProgramIn(GhostscriptFolder);
  if (programName.empty()) {
    const std::string text = "Cannot find " + GhostscriptFolder + GhostscriptProgramName() +
                             " - please install/locate...";
    if (!visible) FailJob(text);
    int answer = services.messageBoxes->Show(
        text, "Error", platform::kMbOkCancel | platform::kMbIconError | kJobBox);
    return answer != platform::kIdOk;
  }
  std::string program = GhostscriptFolder + programName;

  PortOptions options = ReadPortOptions(inputPath, arguments);
  platform::FileDialogRequest dialog = SaveDialog(options);
  if (!options.saveFolder.empty()) {
    if (int error = services.files->CreateFolders(options.saveFolder)) {
      FailJob("The folder " + options.saveFolder + " cannot be made: " + InOutErrorText(error) +
              ".");
    }
  }

  // The PDF's file: an automatic name is made the job's own at once; a name
  // chosen in the dialog is opened only once there is a PDF to put in it.
  // Only 1 names automatically; anything else asks, where a user can answer.
  std::string outputPath;
  RemovedUnlessKept claimedName;
  std::unique_ptr<platform::WritableFile> output;
  if (options.saveType == 1 || !visible) {
    try {
      ClaimedName claimed = ClaimAutomaticName(options.saveFolder);
      outputPath = claimedName.path = claimed.path;
      output = std::move(claimed.file);
    } catch (const platform::Error& error) {
      FailJob(error.Message() + ".");
    }
  } else {
    auto chosen = services.dialogs->SaveFile(dialog);
    if (!chosen) return true;
    outputPath = *chosen;
  }

  // Ghostscript writes into a file of the job's own; nothing of the job lies
  // in the Ghostscript folder or the program's.
  TemporaryFiles temporary;
  const std::string responseFile = temporary.Make();
  const std::string made = temporary.Make();
  const bool utf8 = ReadsResponseFileAsUtf8(GhostscriptFolder);
  for (const auto& line : ResponseFileLines(GhostscriptFolder, made))
    AppendLine(responseFile, InGhostscriptCodePage(line, utf8));

  const std::optional<std::chrono::seconds> limit = GhostscriptTimeLimit();
  const auto start = std::chrono::steady_clock::now();
  auto exitCode =
      RunAndWait(GhostscriptCommandLine(GhostscriptFolder, programName, responseFile, inputPath),
                 kSwHide, limit);
  const bool timedOut = !exitCode && limit && std::chrono::steady_clock::now() - start >= *limit;

  std::string failure;
  if (timedOut) {
    failure = "Ghostscript did not finish within " + std::to_string(limit->count()) +
              " seconds, so " + outputPath + " was not created.";
  } else if (!exitCode) {
    failure = "Ghostscript (" + program + ") could not be started, so " + outputPath +
              " was not created.";
  } else if (*exitCode != 0 || !EndsLikeAWholePdf(made)) {
    failure = "Ghostscript could not create " + outputPath + " (exit code " +
              std::to_string(*exitCode) + ").";
  } else {
    int error = 0;
    if (!output)
      output = services.files->CreateForWriting(outputPath, platform::CreateMode::kReplace, error);
    if (output) error = output->CopyFrom(made);
    if (error) {
      failure =
          "The PDF could not be written to " + outputPath + ": " + InOutErrorText(error) + ".";
      // A file the dialog chose holds only part of the PDF by now.
      if (output && claimedName.path.empty()) {
        output.reset();
        services.files->DeleteFile(outputPath);
      }
    }
  }
  // Otherwise a file the dialog chose is left as it was, and a name the job
  // made goes again.
  if (!failure.empty()) FailJob(failure);
  output.reset();
  claimedName.keep = true;

  if (options.showPdf && visible) {
    services.shell->Execute("open", outputPath, "", "c:\\", kSwShowNormal);
  }
  return true;
}

}  // namespace procs
