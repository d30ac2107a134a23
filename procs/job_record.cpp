#include "procs/job_record.h"

#include <cstdio>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/rules/path.h"
#include "platform/services.h"

namespace procs {

namespace {

std::string OnOneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return text;
}

// The lines of `log` from the first that starts past its middle.
std::string NewerHalf(const std::string& log) {
  const size_t cut = log.find('\n', log.size() / 2);
  return cut == std::string::npos ? std::string() : log.substr(cut + 1);
}

}  // namespace

std::string JobRecordLine(const JobRecord& record) {
  char when[32] = "";
  std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &record.started);
  char taken[32];
  std::snprintf(taken, sizeof taken, "%.1f s", record.taken.count() / 1000.0);
  return std::string(when) + '\t' + OnOneLine(record.port) + '\t' + OnOneLine(record.title) + '\t' +
         OnOneLine(record.result) + '\t' + taken;
}

bool AppendJobRecord(const std::string& logPath, const std::string& line) {
  namespace path = platform::path;
  auto& files = *platform::Current().files;
  const std::string folder = path::FolderPart(logPath);
  if (files.CreateFolders(folder) != 0) return false;
  const auto lock = files.LockFile(folder + "." + path::FileNamePart(logPath) + ".lock");
  if (!lock) return false;
  const std::string added = line + "\r\n";
  const auto stamp = files.Stamp(logPath);
  if (stamp && stamp->size + added.size() > kLargestJobLog) {
    std::string log;
    if (!files.ReadFile(logPath, log)) return false;
    const std::string shorter = logPath + ".shorter";
    files.DeleteFile(shorter);
    if (files.CreateEmptyFile(shorter) != 0 ||
        files.AppendToFile(shorter, NewerHalf(log) + added) != 0 ||
        files.ReplaceFile(shorter, logPath) != 0) {
      files.DeleteFile(shorter);
      return false;
    }
    return true;
  }
  try {
    platform::AppendLine(logPath, line);
  } catch (const platform::EInOutError&) {
    return false;
  }
  return true;
}

}  // namespace procs
