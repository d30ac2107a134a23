#include "procs/job_details.h"

#include "platform/services.h"
#include "procs/document_title.h"

namespace procs {

namespace {

// The first 64 KB of the file, where the PostScript header stands.
std::string FileStart(const std::string& path) {
  std::string bytes;
  // Only the start is wanted; a spool file of hundreds of megabytes is not
  // read whole for it.
  if (!platform::Current().files->ReadFileStart(path, 64 * 1024, bytes)) return "";
  return bytes;
}

}  // namespace

JobDetails ReadJobDetails(const std::string& spoolFile, const std::string& port) {
  auto& info = *platform::Current().processInfo;
  auto given = [&](const char* name) { return info.EnvironmentVariable(name).value_or(""); };
  JobDetails details;
  std::string title = given("REDMON_DOCNAME");
  if (title.empty()) title = platform::StoredText(PostScriptTitle(FileStart(spoolFile)));
  details.title = CleanTitle(title);
  details.user = given("REDMON_USER");
  if (details.user.empty()) details.user = info.UserName();
  details.computer = given("REDMON_MACHINE");
  details.computer.erase(0, details.computer.find_first_not_of('\\'));
  if (details.computer.empty()) details.computer = info.ComputerName();
  details.printer = given("REDMON_PRINTER");
  details.port = given("REDMON_PORT");
  if (details.port.empty()) details.port = port;
  details.jobId = given("REDMON_JOB");
  details.started = std::time(nullptr);
  if (const std::tm* local = std::localtime(&details.started)) details.when = *local;
  return details;
}

}  // namespace procs
