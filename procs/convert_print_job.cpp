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
#include "procs/job_conversion.h"
#include "procs/job_details.h"
#include "procs/job_failure.h"
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
  // A file that exists gets the job's own question (replace or append).
  dialog.options = platform::kOfnHideReadOnly | platform::kOfnEnableSizing | platform::kOfnExplorer;
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
    const auto ifTaken = options.ifFileExists == settings::kIfFileExistsReplace
                             ? PdfDestination::IfTaken::kReplace
                         : options.ifFileExists == settings::kIfFileExistsAppend
                             ? PdfDestination::IfTaken::kAppend
                             : PdfDestination::IfTaken::kAddNumber;
    const int error = name.counterDigits ? destination.AimAtFreeName(subFolder, counted)
                                         : destination.AimAt(subFolder + name.FileName(), ifTaken);
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
  auto ifTaken = PdfDestination::IfTaken::kReplace;
  if (platform::Current().files->FileExists(*chosen)) {
    const int answer = platform::Current().messageBoxes->Show(
        chosenName +
            " already exists.\n\nYes: replace it.\nNo: add this print's pages after its "
            "pages.\nCancel: do not save this print.",
        "Save PDF file as...", platform::kMbYesNoCancel | platform::kMbIconWarning | kJobBox);
    if (answer == platform::kIdCancel) return false;
    if (answer == platform::kIdNo) ifTaken = PdfDestination::IfTaken::kAppend;
  }
  if (int error = destination.AimAt(*chosen, ifTaken)) FailToCreate(*chosen, error);
  return true;
}

// What the port asks the PDF to be. PDF/A needs Ghostscript 9.10 or later
// (with its sRGB profile); one too old, or without the profile, ends the
// job. A Ghostscript before 10.02.0 drops all of a PDF/A's information
// for one text in it that is not ASCII: such texts are left out there. A
// quality that is no preset of Ghostscript's is written to the log, and
// Ghostscript's own output made.
PdfOutput OutputFor(const settings::PortOptions& options, const Ghostscript& ghostscript,
                    bool& asciiDocumentInfo) {
  PdfOutput output;
  if (!options.quality.empty() && !IsQualityPreset(options.quality)) {
    std::string known;
    for (const std::string& preset : QualityPresets())
      known += (known.empty() ? "" : ", ") + preset;
    platform::Current().desktop->LogError("Quality=" + options.quality +
                                          " is no quality Ghostscript knows (" + known +
                                          "): its own output is made.");
  }
  output.quality = options.quality;
  asciiDocumentInfo = false;
  if (options.pdfType != 1 && options.pdfType != 2) return output;
  output.pdfType = options.pdfType;
  using Version = std::vector<unsigned long>;
  const auto version = GhostscriptFolderVersion(ghostscript.folder);
  if (version && *version < Version{9, 10}) {
    FailJob("The Ghostscript in " + ghostscript.folder + " is version " +
            platform::path::FileNamePart(platform::path::RemoveTrailingDelimiter(
                                             platform::path::ParentFolder(ghostscript.folder)))
                .substr(2) +
            ", which cannot make PDF/A files: that needs Ghostscript 9.10 or later.");
  }
  const std::optional<std::string> profile = GhostscriptSrgbProfile(ghostscript.folder);
  if (!profile) {
    FailJob("The sRGB colour profile of the Ghostscript in " + ghostscript.folder +
            " (iccprofiles" + std::string(1, platform::path::Delimiter()) +
            "srgb.icc beside its folder) cannot be found, so no PDF/A file can be made.");
  }
  output.iccProfile = *profile;
  output.permitProfile = !version || *version >= Version{9, 50};
  asciiDocumentInfo = !version || *version < Version{10, 2};
  return output;
}

// A file whose first kilobyte holds no "%PDF-" is none.
bool LooksLikeAPdf(const std::string& path) {
  std::string start;
  return platform::Current().files->ReadFileStart(path, 1024, start) &&
         start.find("%PDF-") != std::string::npos;
}

// Ghostscript's work: the spool file into a PDF of the job's own, returned
// once whole (a failure ends the job, the PDF at the destination as it was).
// Appending, the file there is read first, its pages before the job's, in
// the same run; one that Ghostscript cannot read as a PDF (another
// program's file, a PDF with a password) stays as it is, and the PDF takes
// the lowest number added to its name instead, which `unreadable` then
// names.
std::string Converted(const Ghostscript& ghostscript, const std::string& inputPath,
                      Conversion conversion, PdfDestination& destination, JobFolder& job,
                      std::string& unreadable) {
  const std::string made = job.File("output.pdf");
  conversion.documents = {inputPath};
  if (destination.TakeAppendTurn()) {
    if (LooksLikeAPdf(destination.Path())) {
      Conversion both = conversion;
      both.documents.insert(both.documents.begin(), destination.Path());
      both.output.stopOnPdfError = true;
      const ConversionOutcome appended = Convert(ghostscript, both, made, job);
      if (appended.whole) return made;
      if (appended.run.ending() != platform::LaunchResult::Ending::kExited) {
        FailConversion(appended, ghostscript, destination.Path());
      }
    }
    unreadable = destination.Path();
    destination.TakeAddedNumberInstead();
  }
  const ConversionOutcome outcome = Convert(ghostscript, conversion, made, job);
  if (!outcome.whole) FailConversion(outcome, ghostscript, destination.Path());
  return made;
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
  Conversion conversion;
  conversion.title = job.title;
  conversion.author = job.user;
  conversion.started = job.started;
  conversion.output = OutputFor(options, ghostscript, conversion.asciiDocumentInfo);
  PdfDestination destination;
  if (!SettleOutputName(options, job, visible, destination)) return true;
  JobFolder folder;
  std::string unreadable;
  PutPdfInPlace(Converted(ghostscript, inputPath, conversion, destination, folder, unreadable),
                destination);
  if (!unreadable.empty()) {
    TellUser(unreadable +
             " cannot be read as a PDF (it may be another program's file, or have a "
             "password), so this print's pages were saved in " +
             destination.Path() + " instead.");
  }
  if (options.showPdf && visible) ShowPdf(destination.Path());
  return true;
}

}  // namespace procs
