// Stand-in for Ghostscript's console program, for job tests under Wine:
//   gswin32c.exe @RESPONSE_FILE INPUT...
// It turns the Windows paths of its arguments and of the response file into
// Linux paths, writes the response file anew beside it (its name and
// ".unix"), runs the real "gs" with it, and exits with gs's exit code. Every
// run appends its command line, the response file it was given and gs's
// output to gswin32c.log beside itself.
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"
// Each helper program is built from its one source file.
#include "tests/win32/unix_command.cpp"

namespace {

using testing_support::UnixPath;
using testing_support::UnixQuote;

constexpr int kCannotRun = 255;

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  bytes = all.str();
  return true;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  return !out.fail();
}

// The words of a response file as Ghostscript reads them: whitespace
// separates words; a double quote opens a quoted stretch only at the start
// of a word or after "=" and closes it before whitespace or the end, and
// is an ordinary character anywhere else; \" is a quote, any other
// backslash itself. Empty words count for nothing.
std::vector<std::string> SplitArguments(const std::string& text) {
  auto space = [&](size_t i) { return std::isspace(static_cast<unsigned char>(text[i])); };
  std::vector<std::string> words;
  for (size_t i = 0; i < text.size();) {
    if (space(i)) {
      ++i;
      continue;
    }
    std::string word;
    bool quoted = false;
    while (i < text.size() && (quoted || !space(i))) {
      char c = text[i++];
      if (c == '\\' && i < text.size() && text[i] == '"') {
        c = text[i++];
      } else if (c == '"' && !quoted && (word.empty() || word.back() == '=')) {
        quoted = true;
        continue;
      } else if (c == '"' && quoted && (i == text.size() || space(i))) {
        break;
      }
      word += c;
    }
    if (!word.empty()) words.push_back(word);
  }
  return words;
}

bool IsWindowsPath(const std::string& text) {
  bool drive = text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) &&
               text[1] == ':' && (text[2] == '\\' || text[2] == '/');
  return drive || (!text.empty() && text[0] == '\\');
}

// The output file is a pattern in which "%%" is a "%" (as the job writes
// it, without page numbers): mapped as the path it names, made a pattern
// again.
std::optional<std::string> ConvertOutputFile(std::string path) {
  for (size_t at = path.find("%%"); at != std::string::npos; at = path.find("%%", at + 1)) {
    path.erase(at, 1);
  }
  auto converted = IsWindowsPath(path) ? UnixPath(path) : path;
  if (!converted) return std::nullopt;
  std::string pattern = "-sOutputFile=";
  for (char c : *converted) pattern += c == '%' ? "%%" : std::string(1, c);
  return pattern;
}

// The argument for Linux gs, or nothing when a path in it cannot be mapped.
std::optional<std::string> ConvertArgument(const std::string& argument, std::string& log) {
  if (argument.rfind("-I", 0) == 0) {
    // Windows separates search folders with ";", Linux with ":". A folder
    // that cannot be mapped does not exist, so it holds nothing to search.
    std::string folders;
    std::istringstream list(argument.substr(2));
    for (std::string folder; std::getline(list, folder, ';');) {
      if (folder.empty()) continue;
      std::optional<std::string> converted = IsWindowsPath(folder) ? UnixPath(folder) : folder;
      if (!converted) {
        log += "search folder dropped: " + folder + "\r\n";
        continue;
      }
      folders += (folders.empty() ? "" : ":") + *converted;
    }
    return "-I" + folders;
  }
  if (argument.rfind("-sOutputFile=", 0) == 0) return ConvertOutputFile(argument.substr(13));
  if (argument.size() > 2 && argument[0] == '-') {
    size_t equals = argument.find('=');
    if (equals == std::string::npos || !IsWindowsPath(argument.substr(equals + 1))) return argument;
    auto converted = UnixPath(argument.substr(equals + 1));
    if (!converted) return std::nullopt;
    return argument.substr(0, equals + 1) + *converted;
  }
  if (IsWindowsPath(argument)) return UnixPath(argument);
  return argument;
}

std::string OwnFolder() {
  char path[MAX_PATH + 1] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, n);
  size_t slash = self.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : self.substr(0, slash + 1);
}

int Run(int argc, char** argv, std::string& log) {
  if (!testing_support::RunningUnderWine()) {
    log += "not running under Wine\r\n";
    return kCannotRun;
  }
  std::string command = "gs";
  std::string rewrittenResponse;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument.rfind('@', 0) == 0) {
      std::string text;
      if (!ReadWhole(argument.substr(1), text)) {
        log += "cannot read " + argument.substr(1) + "\r\n";
        return kCannotRun;
      }
      log += "response file:\r\n" + text;
      std::string unixResponse;
      for (const std::string& word : SplitArguments(text)) {
        auto converted = ConvertArgument(word, log);
        if (!converted) {
          log += "cannot map " + word + "\r\n";
          return kCannotRun;
        }
        // Whole quoted words, one a line: Linux gs mis-reads quotes inside a word.
        unixResponse += "\"" + *converted + "\"\n";
      }
      const std::string rewritten = argument.substr(1) + ".unix";
      auto unixRewritten = UnixPath(rewritten);
      if (!WriteWhole(rewritten, unixResponse) || !unixRewritten) {
        log += "cannot write " + rewritten + "\r\n";
        return kCannotRun;
      }
      command += ' ';
      command += UnixQuote("@" + *unixRewritten);
      rewrittenResponse = rewritten;
    } else {
      auto converted = ConvertArgument(argument, log);
      if (!converted) {
        log += "cannot map " + argument + "\r\n";
        return kCannotRun;
      }
      command += ' ';
      command += UnixQuote(*converted);
    }
  }
  log += "gs command: " + command + "\r\n";
  testing_support::UnixCommandResult result = testing_support::RunUnixCommand(command);
  log += result.output;
  if (!result.started || !result.finished) {
    log += result.started ? "gs did not end in time\r\n" : "gs could not be started\r\n";
    return kCannotRun;
  }
  log += "gs exit code: " + std::to_string(result.exitCode) + "\r\n";
  ::DeleteFileA(rewrittenResponse.c_str());
  return result.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  std::string log = std::string("command line: ") + ::GetCommandLineA() + "\r\n";
  int code = Run(argc, argv, log);
  std::ofstream(OwnFolder() + "gswin32c.log", std::ios::binary | std::ios::app) << log;
  return code;
}
