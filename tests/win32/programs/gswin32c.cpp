// Stand-in for Ghostscript's console program, for job tests under Wine:
//   gswin32c.exe @RESPONSE_FILE INPUT...
// It turns the Windows paths of its arguments and of the response file into
// Linux paths, writes the response file anew beside it (its name and
// ".unix"), runs the real "gs" with it, and exits with gs's exit code. Every
// run appends its command line, the response file it was given and gs's
// output to gswin32c.log beside itself.
//
// Like Ghostscript's own (9.10 and later), it takes its arguments wide, reads
// them and the response file as UTF-8, drops every byte of the response file
// that is not UTF-8, and opens files through the wide API.
//
// With GSWIN32C_SLEEP_MS set, it first writes its process id to gswin32c.pid
// beside itself and sleeps that long: a Ghostscript that takes its time.
// With GSWIN32C_PAGE_MS set too, it writes "PDFPrinter page N" to its
// standard output every that many milliseconds meanwhile, as Ghostscript
// tells of the pages it finishes. The lines gs itself writes so are passed
// on to its standard output too.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"
// Each helper program is built from its one source file.
#include "tests/win32/unix_command.cpp"

namespace {

using testing_support::UnixQuote;

constexpr int kCannotRun = 255;

std::wstring FromUtf8(const std::string& text) {
  int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n > 0 ? n : 0, L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string ToUtf8(const std::wstring& wide) {
  int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
  std::string text(n > 0 ? n : 0, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                        nullptr, nullptr);
  return text;
}

void WriteOut(const std::string& text) {
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

// The bytes without those that are no part of a well-formed UTF-8 character.
std::string OnlyUtf8(const std::string& bytes) {
  std::string kept;
  for (size_t i = 0; i < bytes.size();) {
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length > 1 && i + length <= bytes.size() &&
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data() + i,
                              static_cast<int>(length), nullptr, 0) > 0) {
      kept.append(bytes, i, length);
      i += length;
    } else {
      if (length == 1) kept += bytes[i];
      ++i;
    }
  }
  return kept;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  platform::win32::ScopedFileHandle file(::CreateFileW(FromUtf8(path).c_str(), GENERIC_READ,
                                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  char chunk[4096];
  DWORD read = 0;
  while (::ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
    bytes.append(chunk, read);
  return true;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  platform::win32::ScopedFileHandle file(::CreateFileW(FromUtf8(path).c_str(), GENERIC_WRITE, 0,
                                                       nullptr, CREATE_ALWAYS,
                                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file.IsValid() &&
         ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
         written == bytes.size();
}

// The Linux path of a Windows path given in UTF-8.
std::optional<std::string> UnixPath(const std::string& windowsPath) {
  auto convert =
      testing_support::WineFunction<testing_support::UnixNameFunction>("wine_get_unix_file_name");
  if (!convert || windowsPath.empty()) return std::nullopt;
  testing_support::HeapText converted{convert(FromUtf8(windowsPath).c_str())};
  if (!converted.p) return std::nullopt;
  return std::string(static_cast<const char*>(converted.p));
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

int Run(const std::vector<std::string>& argv, std::string& log) {
  if (!testing_support::RunningUnderWine()) {
    log += "not running under Wine\r\n";
    return kCannotRun;
  }
  std::string command = "gs";
  std::string rewrittenResponse;
  for (size_t i = 1; i < argv.size(); ++i) {
    const std::string& argument = argv[i];
    if (argument.rfind('@', 0) == 0) {
      std::string text;
      if (!ReadWhole(argument.substr(1), text)) {
        log += "cannot read " + argument.substr(1) + "\r\n";
        return kCannotRun;
      }
      log += "response file:\r\n" + text;
      std::string unixResponse;
      for (const std::string& word : SplitArguments(OnlyUtf8(text))) {
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
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("PDFPrinter page ", 0) == 0) WriteOut(line + "\n");
  }
  if (!result.started || !result.finished) {
    log += result.started ? "gs did not end in time\r\n" : "gs could not be started\r\n";
    return kCannotRun;
  }
  log += "gs exit code: " + std::to_string(result.exitCode) + "\r\n";
  if (!rewrittenResponse.empty()) ::DeleteFileW(FromUtf8(rewrittenResponse).c_str());
  return result.exitCode;
}

}  // namespace

int main() {
  char sleep[16] = {}, pageTime[16] = {};
  if (::GetEnvironmentVariableA("GSWIN32C_SLEEP_MS", sleep, sizeof sleep)) {
    std::ofstream(OwnFolder() + "gswin32c.pid") << ::GetCurrentProcessId();
    const DWORD total = std::strtoul(sleep, nullptr, 10);
    DWORD step = total;
    if (::GetEnvironmentVariableA("GSWIN32C_PAGE_MS", pageTime, sizeof pageTime))
      step = std::max<DWORD>(1, std::strtoul(pageTime, nullptr, 10));
    for (DWORD slept = 0, page = 1; slept < total; slept += step, ++page) {
      ::Sleep(std::min(step, total - slept));
      if (step < total) WriteOut("PDFPrinter page " + std::to_string(page) + "\n");
    }
  }
  std::string log = "command line: " + ToUtf8(::GetCommandLineW()) + "\r\n";
  std::vector<std::string> argv;
  int argc = 0;
  if (LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &argc)) {
    for (int i = 0; i < argc; ++i) argv.push_back(ToUtf8(words[i]));
    ::LocalFree(words);
  }
  int code = Run(argv, log);
  std::ofstream(OwnFolder() + "gswin32c.log", std::ios::binary | std::ios::app) << log;
  return code;
}
