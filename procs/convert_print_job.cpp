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
#include "procs/job_progress.h"
#include "procs/job_record.h"
#include "procs/name_template.h"
#include "procs/numbered_name.h"
#include "procs/pdf_destination.h"
#include "procs/user_data.h"
#include "settings/port_options.h"
#include "settings/settings_file.h"

namespace procs {

namespace {

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

// The name a PDF was to have: the lowest free one of a form, or a file name.
struct IntendedName {
  std::optional<NumberedName> form;
  std::string fileName;
};

// Why the PDF cannot go where the port says, and the name it was to have
// there.
struct CannotPlace {
  std::string reason;
  IntendedName name;
};

std::string CannotCreateText(const std::string& path, int error) {
  const std::string folder = platform::path::FolderPart(path);
  return "Cannot create " + path.substr(folder.size()) + " in " + folder + ": " +
         platform::InOutErrorText(error) + ".";
}

std::string CannotMakeFolderText(const std::string& folder, int error) {
  return "The folder " + folder + " cannot be made: " +
         (error == platform::kErrorAlreadyExists ? "it is a file or a device, not a folder"
                                                 : platform::InOutErrorText(error)) +
         ".";
}

void MakeFolder(const std::string& folder, PdfDestination& destination, const IntendedName& name) {
  if (int error = destination.MakeFolder(folder))
    throw CannotPlace{CannotMakeFolderText(folder, error), name};
}

// The save folder made, then the name: the automatic one for save type 1
// (and where no user can answer the dialog of a port that asks), the
// template's for save type 2 (in its sub-folders, made as needed), else the
// dialog's, which starts with the template's (in the save folder where it
// can be made). False when the user cancels; a folder or name that takes no
// file raises CannotPlace.
bool SettleOutputName(const settings::PortOptions& options, const JobDetails& job, bool visible,
                      PdfDestination& destination) {
  namespace path = platform::path;
  const std::string folder = SaveFolderOf(options);
  const bool asks = options.saveType != settings::kSaveTypeAutomatic &&
                    options.saveType != settings::kSaveTypeTemplate;
  if (options.saveType == settings::kSaveTypeAutomatic || (asks && !visible)) {
    const IntendedName automatic{AutomaticName(), ""};
    MakeFolder(folder, destination, automatic);
    if (int error = destination.AimAtFreeName(folder, AutomaticName()))
      throw CannotPlace{CannotCreateText(destination.Path(), error), automatic};
    return true;
  }
  const TemplateName name = ExpandNameTemplate(options.nameTemplate, job, folder);
  const std::string subFolder = path::AddTrailingDelimiter(folder) + name.folders;
  const NumberedName counted{name.prefix, name.counterDigits.value_or(1), name.suffix};
  const IntendedName intended =
      name.counterDigits ? IntendedName{counted, ""} : IntendedName{std::nullopt, name.FileName()};
  if (!asks) {
    MakeFolder(folder, destination, intended);
    MakeFolder(subFolder, destination, intended);
    const auto ifTaken = options.ifFileExists == settings::kIfFileExistsReplace
                             ? PdfDestination::IfTaken::kReplace
                         : options.ifFileExists == settings::kIfFileExistsAppend
                             ? PdfDestination::IfTaken::kAppend
                             : PdfDestination::IfTaken::kAddNumber;
    const int error = name.counterDigits ? destination.AimAtFreeName(subFolder, counted)
                                         : destination.AimAt(subFolder + name.FileName(), ifTaken);
    if (error) throw CannotPlace{CannotCreateText(destination.Path(), error), intended};
    return true;
  }
  destination.MakeFolder(folder);
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
  if (int error = destination.AimAt(*chosen, ifTaken))
    throw CannotPlace{CannotCreateText(*chosen, error), {std::nullopt, chosenName}};
  return true;
}

// Aims at the Unsaved folder (made as needed) under the name the PDF was to
// have, a number added where it is taken there. A failure ends the job,
// saying why the PDF was not where the port says, too.
void AimAtUnsaved(PdfDestination& unsaved, const IntendedName& name, const std::string& why) {
  const std::string folder = UnsavedFolder();
  int error = folder.empty() ? platform::kErrorPathNotFound : unsaved.MakeFolder(folder);
  if (!error) {
    error = name.form ? unsaved.AimAtFreeName(folder, *name.form)
                      : unsaved.AimAt(folder + name.fileName, PdfDestination::IfTaken::kAddNumber);
  }
  if (error) {
    FailJob(why + "\n\nThe PDF cannot be kept in " + folder +
            " either: " + platform::InOutErrorText(error) + ".");
  }
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

// The made PDF at its name; what went wrong when it could not be put
// there (a file the dialog chose is then left as it was).
std::optional<std::string> PutPdfInPlace(const std::string& made, PdfDestination& destination) {
  int error = 0;
  try {
    error = destination.PutInPlace(made);
  } catch (const platform::Error& failure) {
    return failure.Message() + ".";
  }
  if (!error) return std::nullopt;
  return "The PDF could not be written to " + destination.Path() + ": " +
         platform::InOutErrorText(error) + ".";
}

void ShowPdf(const std::string& path) {
  platform::Current().shell->Execute("open", path, "", "c:\\", platform::kSwShowNormal);
}

// The job, its record filled in as it goes; see ConvertPrintJob.
bool RunJob(const std::string& inputPath, const platform::Arguments& arguments, JobRecord& record) {
  // Where no user can see a window (the spooler's session 0, a service's
  // window station), nothing is shown and nothing waits for an answer.
  const bool visible = platform::Current().desktop->UserCanSee();
  const Ghostscript ghostscript = FindGhostscript();
  if (ghostscript.program.empty()) return ReportMissingGhostscript(ghostscript.folder, visible);
  const settings::PortOptions options = ReadJobPortOptions(inputPath, arguments, record.port);
  const JobDetails job = ReadJobDetails(inputPath, record.port);
  record.title = job.title;
  record.started = job.when;
  Conversion conversion;
  conversion.title = job.title;
  conversion.author = job.user;
  conversion.started = job.started;
  conversion.output = OutputFor(options, ghostscript, conversion.asciiDocumentInfo);
  // A PDF that cannot go where the port says is kept in the Unsaved folder.
  PdfDestination settled, unsaved;
  PdfDestination* destination = &settled;
  std::string whyUnsaved;
  try {
    if (!SettleOutputName(options, job, visible, settled)) {
      record.result = "cancelled";
      return true;
    }
  } catch (const CannotPlace& cannot) {
    whyUnsaved = cannot.reason;
    AimAtUnsaved(unsaved, cannot.name, whyUnsaved);
    destination = &unsaved;
  }
  JobFolder folder;
  JobProgress progress(job.title.empty() ? platform::path::FileNamePart(inputPath) : job.title,
                       visible);
  conversion.progress = &progress;
  std::string unreadable;
  const std::string made =
      Converted(ghostscript, inputPath, conversion, *destination, folder, unreadable);
  std::optional<std::string> failed = PutPdfInPlace(made, *destination);
  if (failed && destination == &settled) {
    whyUnsaved = *failed;
    AimAtUnsaved(unsaved, {settled.Form(), platform::path::FileNamePart(settled.Path())},
                 whyUnsaved);
    destination = &unsaved;
    failed = PutPdfInPlace(made, unsaved);
  }
  if (failed) FailJob(whyUnsaved.empty() ? *failed : whyUnsaved + "\n\n" + *failed);
  const std::string pages = PageCount(progress.PagesDone());
  if (!whyUnsaved.empty()) {
    record.result = "kept in Unsaved as " + unsaved.Path() + " (" + pages + "): " + whyUnsaved;
    FailJob(whyUnsaved + "\n\nThe PDF was kept in " + unsaved.Path() + ".");
  }
  record.result = "saved as " + destination->Path() + " (" + pages + ")";
  if (!unreadable.empty()) {
    TellUser(unreadable +
             " cannot be read as a PDF (it may be another program's file, or have a "
             "password), so this print's pages were saved in " +
             destination->Path() + " instead.");
  }
  if (options.showPdf && visible) ShowPdf(destination->Path());
  return true;
}

void WriteRecord(JobRecord& record, std::chrono::steady_clock::time_point begun) {
  record.taken = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - begun);
  if (const std::string log = JobLogPath(); !log.empty())
    AppendJobRecord(log, JobRecordLine(record));
}

}  // namespace

bool ConvertPrintJob(const std::string& inputPath, const platform::Arguments& arguments) {
  const auto begun = std::chrono::steady_clock::now();
  JobRecord record;
  const std::time_t now = std::time(nullptr);
  if (const std::tm* local = std::localtime(&now)) record.started = *local;
  try {
    const bool end = RunJob(inputPath, arguments, record);
    if (record.result.empty()) record.result = "failed: Ghostscript cannot be found";
    WriteRecord(record, begun);
    return end;
  } catch (const JobCancelled&) {
    record.result = "cancelled";
    WriteRecord(record, begun);
    throw;
  } catch (const JobFailed& failure) {
    if (record.result.empty()) record.result = "failed: " + failure.text;
    WriteRecord(record, begun);
    throw;
  } catch (const platform::ExitWithCode& exit) {
    record.result = "ended with code " + std::to_string(exit.code);
    WriteRecord(record, begun);
    throw;
  } catch (const platform::Error& error) {
    record.result = "failed: " + error.Message();
    WriteRecord(record, begun);
    throw;
  }
}

}  // namespace procs
