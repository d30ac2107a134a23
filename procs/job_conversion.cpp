#include "procs/job_conversion.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/ghostscript/page_reports.h"
#include "procs/job_failure.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"

namespace procs {

namespace {

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

}  // namespace

JobFolder::~JobFolder() {
  if (!folder_.empty()) platform::Current().files->RemoveFolderTree(folder_);
}

const std::string& JobFolder::Folder() {
  if (folder_.empty()) {
    std::optional<std::string> made = platform::Current().files->CreateTemporaryFolder();
    if (!made) FailJob("No temporary file can be made for the print job.");
    folder_ = *made;
  }
  return folder_;
}

std::string JobFolder::File(const std::string& name) {
  return platform::path::AddTrailingDelimiter(Folder()) + name;
}

ConversionOutcome Convert(const Ghostscript& ghostscript, const Conversion& conversion,
                          const std::string& made, JobFolder& job) {
  auto& files = *platform::Current().files;
  const std::string responseFile = job.File("response.tmp");
  const std::string documentInfo = job.File("docinfo.ps");
  const bool utf8 = ReadsResponseFileAsUtf8(ghostscript.folder);
  // A run before writes these anew.
  files.DeleteFile(responseFile);
  files.DeleteFile(documentInfo);
  files.DeleteFile(made);
  for (const auto& line : ResponseFileLines(ghostscript.folder, made, conversion.output))
    platform::AppendLine(responseFile, InGhostscriptCodePage(line, utf8));
  platform::AppendLine(documentInfo,
                       DocumentInfoPdfmark(conversion.title, conversion.author, conversion.started,
                                           conversion.asciiDocumentInfo));
  const std::string pageReports = job.File("pages.ps");
  files.DeleteFile(pageReports);
  platform::AppendLine(pageReports, PageReportProlog());
  std::vector<std::string> inputs{pageReports};
  if (conversion.output.pdfType != 0) {
    const std::string definition = job.File("pdfa.ps");
    files.DeleteFile(definition);
    platform::AppendLine(definition, PdfaDefinition(conversion.output.iccProfile, utf8));
    inputs.push_back(definition);
  }
  inputs.insert(inputs.end(), conversion.documents.begin(), conversion.documents.end());
  inputs.push_back(documentInfo);

  ConversionOutcome outcome;
  outcome.limit = GhostscriptTimeLimit();
  platform::LaunchOptions launch{.hidden = true, .wait = true, .endWithCaller = true};
  if (outcome.limit) {
    launch.waitLimit = *outcome.limit;
    launch.endAtLimit = true;
  }
  launch.temporaryFolder = job.Folder();
  if (conversion.progress) conversion.progress->Follow(launch);
  outcome.run = platform::Current().processes->Launch(
      GhostscriptCommandLine(ghostscript.folder, ghostscript.program, responseFile, inputs),
      launch);
  if (conversion.progress) conversion.progress->Stop();
  if (outcome.run.ending() == platform::LaunchResult::Ending::kCancelled) throw JobCancelled();
  outcome.whole = outcome.run.ExitCode() == 0u && EndsLikeAWholePdf(made);
  return outcome;
}

void FailConversion(const ConversionOutcome& outcome, const Ghostscript& ghostscript,
                    const std::string& outputPath) {
  switch (outcome.run.ending()) {
    case platform::LaunchResult::Ending::kExited:
      FailJob("Ghostscript could not create " + outputPath + " (exit code " +
              std::to_string(*outcome.run.ExitCode()) + ").");
    case platform::LaunchResult::Ending::kStoppedAtLimit:
      FailJob("Ghostscript did not finish within " + std::to_string(outcome.limit->count()) +
              " seconds, so " + outputPath + " was not created.");
    default:
      FailJob("Ghostscript (" + ghostscript.folder + ghostscript.program +
              ") could not be started, so " + outputPath + " was not created.");
  }
}

}  // namespace procs
