#include "procs/convert_print_job.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/ghostscript/ghostscript_location.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "procs/ghostscript/ghostscript_run.h"
#include "procs/job_details.h"
#include "procs/name_template.h"
#include "procs/numbered_name.h"
#include "procs/pdf_destination.h"
#include "settings/port_options.h"
#include "settings/settings_file.h"

namespace procs {

namespace {

constexpr int kSwShowNormal = 1;

// What the job shows has the job's own owner and comes to the foreground.
constexpr uint32_t kJobBox = platform::kMbOwnedByJob | platform::kMbSetForeground;

// A message box breaks its lines only at blanks, so a long path would make
// it wider than the screen: a run of more than kLine characters is broken
// after a delimiter, or past twice that anywhere (but inside a character).
std::string WithLongRunsBroken(const std::string& text) {
  constexpr size_t kLine = 60;
  std::string broken;
  size_t run = 0;
  for (char c : text) {
    broken += c;
    run = c == ' ' || c == '\n' ? 0 : run + 1;
    const bool delimiter = c == '\\' || c == '/';
    if ((run >= kLine && delimiter) || (run >= 2 * kLine && static_cast<unsigned char>(c) < 0x80)) {
      broken += '\n';
      run = 0;
    }
  }
  return broken;
}

// Shown in the "Error" box, or written to the system's log where no user
// can see a box; the job ends with exit code 1 either way.
[[noreturn]] void FailJob(const std::string& text) {
  auto& services = platform::Current();
  if (services.desktop->UserCanSee()) {
    services.messageBoxes->Show(WithLongRunsBroken(text), "Error",
                                platform::kMbOk | platform::kMbIconError | kJobBox);
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
                                         const platform::Arguments& arguments, std::string& port) {
  settings::PortOptions options;
  for (size_t n = 1; n <= arguments.Count(); ++n) {
    if (arguments.Get(n).compare(0, 3, "PPP") != 0) continue;
    port = arguments.Get(n);
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

// The port's save folder; on Linux, where "c:\" and an empty folder name
// nothing, the user's home folder stands for them.
std::string SaveFolderOf(const settings::PortOptions& options) {
  namespace path = platform::path;
  if (!path::IsWindows(path::Style::Native) &&
      (options.saveToFolder.empty() ||
       options.saveToFolder == settings::PortOptions{}.saveToFolder)) {
    return platform::Current().processInfo->HomeFolder();
  }
  return options.saveToFolder;
}

[[noreturn]] void FailToCreate(const std::string& path, int error) {
  const std::string folder = platform::path::FolderPart(path);
  FailJob("Cannot create " + path.substr(folder.size()) + " in " + folder + ": " +
          platform::InOutErrorText(error) + ".");
}

void MakeFolder(const std::string& folder, PdfDestination& destination) {
  if (int error = destination.MakeFolder(folder)) {
    FailJob("The folder " + folder + " cannot be made: " +
            (error == platform::kErrorAlreadyExists ? "it is a file or a device, not a folder"
                                                    : platform::InOutErrorText(error)) +
            ".");
  }
}

// The save folder made, then the name: the automatic one for save type 1
// (and where no user can answer the dialog of a port that asks), the
// template's for save type 2 (in its sub-folders, made as needed), else the
// dialog's, which starts with the template's. False when the user cancels.
bool SettleOutputName(const settings::PortOptions& options, const JobDetails& job, bool visible,
                      PdfDestination& destination) {
  namespace path = platform::path;
  const std::string folder = SaveFolderOf(options);
  MakeFolder(folder, destination);
  const bool asks = options.saveType != settings::kSaveTypeAutomatic &&
                    options.saveType != settings::kSaveTypeTemplate;
  if (options.saveType == settings::kSaveTypeAutomatic || (asks && !visible)) {
    if (int error = destination.AimAtFreeName(folder, AutomaticName()))
      FailToCreate(destination.Path(), error);
    return true;
  }
  const TemplateName name = ExpandNameTemplate(options.nameTemplate, job, folder);
  const std::string subFolder = path::AddTrailingDelimiter(folder) + name.folders;
  const NumberedName counted{name.prefix, name.counterDigits.value_or(1), name.suffix};
  if (!asks) {
    MakeFolder(subFolder, destination);
    const int error = name.counterDigits
                          ? destination.AimAtFreeName(subFolder, counted)
                          : destination.AimAt(subFolder + name.FileName(),
                                              options.ifFileExists == settings::kIfFileExistsReplace
                                                  ? PdfDestination::IfTaken::kReplace
                                                  : PdfDestination::IfTaken::kAddNumber);
    if (error) FailToCreate(destination.Path(), error);
    return true;
  }
  platform::FileDialogRequest dialog = SaveDialog(folder);
  dialog.fileName =
      name.counterDigits ? path::FileNamePart(FirstFreeName(folder, counted)) : name.FileName();
  auto chosen = platform::Current().dialogs->SaveFile(dialog);
  if (!chosen) return false;
  const std::string chosenName = path::FileNamePart(*chosen);
  if (path::IsWindows(path::Style::Native) && path::IsDeviceName(chosenName)) {
    FailJob(chosenName +
            " is the name of a device of Windows, not of a file: the PDF cannot be saved "
            "under it.");
  }
  if (int error = destination.AimAt(*chosen, PdfDestination::IfTaken::kReplace))
    FailToCreate(*chosen, error);
  return true;
}

// A folder of the job's own in the user's temporary folder, for its own
// files and Ghostscript's: removed with all in it however the job ends.
class JobFolder {
 public:
  JobFolder() = default;
  ~JobFolder() {
    if (!folder_.empty()) platform::Current().files->RemoveFolderTree(folder_);
  }
  JobFolder(const JobFolder&) = delete;
  JobFolder& operator=(const JobFolder&) = delete;

  const std::string& Folder() {
    if (folder_.empty()) {
      std::optional<std::string> made = platform::Current().files->CreateTemporaryFolder();
      if (!made) FailJob("No temporary file can be made for the print job.");
      folder_ = *made;
    }
    return folder_;
  }
  std::string File(const std::string& name) {
    return platform::path::AddTrailingDelimiter(Folder()) + name;
  }

 private:
  std::string folder_;
};

// "GhostscriptTimeLimit" in "Options": seconds, 0 for none. A number beyond
// the largest limit is taken as that; a value that is no whole number of
// seconds, or a negative one, is the default; either is written to the
// system's log with the limit used.
std::optional<std::chrono::seconds> GhostscriptTimeLimit() {
  constexpr int32_t kLargest = 24 * 60 * 60;
  const std::string stored = settings::SettingsFile().ReadText(settings::kGhostscriptTimeLimit, "");
  int32_t seconds = settings::kDefaultGhostscriptTimeLimit;
  std::string why;
  if (stored.empty()) {
  } else if (std::optional<int32_t> number = settings::ParseInteger(stored);
             number && *number >= 0) {
    seconds = std::min(*number, kLargest);
    if (*number > kLargest) why = "is more than the largest limit";
  } else if (stored.find_first_not_of("0123456789 ") == std::string::npos &&
             stored.find_first_of("0123456789") != std::string::npos) {
    seconds = kLargest;
    why = "is more than the largest limit";
  } else {
    why = number ? "is negative" : "is no whole number of seconds";
  }
  if (!why.empty()) {
    platform::Current().desktop->LogError(std::string(settings::kGhostscriptTimeLimit.key) + "=" +
                                          stored + " in [" +
                                          settings::kGhostscriptTimeLimit.section + "] " + why +
                                          ": " + std::to_string(seconds) + " seconds are used.");
  }
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
// of the job lies in the Ghostscript folder or the program's), with the
// job's folder as its temporary folder, ending with the job however the job
// ends; returns that file once it holds a whole PDF. A failure ends the job,
// naming outputPath, the PDF that was not created.
std::string RunGhostscript(const Ghostscript& ghostscript, const std::string& inputPath,
                           const JobDetails& details, const std::string& outputPath,
                           JobFolder& job) {
  const std::string responseFile = job.File("response.tmp");
  const std::string documentInfo = job.File("docinfo.ps");
  const std::string made = job.File("output.pdf");
  const bool utf8 = ReadsResponseFileAsUtf8(ghostscript.folder);
  for (const auto& line : ResponseFileLines(ghostscript.folder, made))
    platform::AppendLine(responseFile, InGhostscriptCodePage(line, utf8));
  platform::AppendLine(documentInfo, DocumentInfoPdfmark(details.title, details.user));

  platform::LaunchOptions launch{.hidden = true, .wait = true, .endWithCaller = true};
  const std::optional<std::chrono::seconds> limit = GhostscriptTimeLimit();
  if (limit) {
    launch.waitLimit = *limit;
    launch.endAtLimit = true;
  }
  launch.temporaryFolder = job.Folder();
  const platform::LaunchResult run = platform::Current().processes->Launch(
      GhostscriptCommandLine(ghostscript.folder, ghostscript.program, responseFile,
                             {inputPath, documentInfo}),
      launch);
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

// The made PDF at its name; a failure ends the job, and a file the dialog
// chose is left as it was.
void PutPdfInPlace(const std::string& made, PdfDestination& destination) {
  int error = 0;
  try {
    error = destination.PutInPlace(made);
  } catch (const platform::Error& failure) {
    FailJob(failure.Message() + ".");
  }
  if (error) {
    FailJob("The PDF could not be written to " + destination.Path() + ": " +
            platform::InOutErrorText(error) + ".");
  }
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
  std::string port;
  const settings::PortOptions options = ReadJobPortOptions(inputPath, arguments, port);
  const JobDetails job = ReadJobDetails(inputPath, port);
  PdfDestination destination;
  if (!SettleOutputName(options, job, visible, destination)) return true;
  JobFolder folder;
  PutPdfInPlace(RunGhostscript(ghostscript, inputPath, job, destination.Path(), folder),
                destination);
  if (options.showPdf && visible) ShowPdf(destination.Path());
  return true;
}

}  // namespace procs
