#include "procs/name_template.h"

#include <cstdio>
#include <vector>

#include "platform/rules/ascii.h"

namespace procs {

namespace {

namespace ascii = platform::ascii;
namespace path = platform::path;

constexpr char kUntitled[] = "untitled";
constexpr char kExtension[] = ".pdf";
// Windows opens paths of up to 259 characters; a number added to a taken
// name needs a few.
constexpr size_t kWindowsPathLimit = 259;
constexpr size_t kRoomForANumber = 8;
constexpr size_t kPosixNameLimit = 255;

// Characters no Windows name may hold.
bool Forbidden(unsigned char c) {
  return c < 0x20 || c == 0x7F ||
         std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string Safe(std::string_view text) {
  std::string safe(text);
  for (char& c : safe) {
    if (Forbidden(static_cast<unsigned char>(c))) c = '_';
  }
  return safe;
}

std::string Format(const char* pattern, const std::tm& when) {
  char text[64];
  return std::strftime(text, sizeof text, pattern, &when) ? text : "";
}

// The documented subset of strftime; any other % stays as written.
std::string DateTime(std::string_view format, const std::tm& when) {
  std::string out;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() &&
        std::string_view("YymdHMSj%").find(format[i + 1]) != std::string_view::npos) {
      const char pattern[] = {'%', format[++i], '\0'};
      out += Format(pattern, when);
    } else {
      out += format[i];
    }
  }
  return out;
}

// Characters, in UTF-16 units as Windows counts them, of UTF-8 text.
size_t Utf16Length(std::string_view text) {
  size_t units = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) units += c >= 0xF0 ? 2 : 1;
  }
  return units;
}

// The text without its last `units` characters (UTF-16 units), whole
// characters only.
std::string CutEnd(std::string text, size_t units) {
  while (units > 0 && !text.empty()) {
    size_t start = text.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    units -= std::min(units, static_cast<unsigned char>(text[start]) >= 0xF0 ? size_t{2} : 1);
    text.resize(start);
  }
  return text;
}

std::string WithoutTrailingDotsAndBlanks(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}

// A name as Windows takes it: no blanks before it, no dots or blanks after.
std::string Trimmed(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  return WithoutTrailingDotsAndBlanks(std::move(text));
}

struct Piece {
  bool separator = false;  // a folder ends here
  bool counter = false;    // the counter's place
  unsigned digits = 0;     // with counter
  std::string text;        // literal text or a token's value, made safe
};

// The template as pieces, with the title given (it may be cut to fit).
std::vector<Piece> Pieces(const std::string& nameTemplate, const JobDetails& job,
                          const std::string& title) {
  std::vector<Piece> pieces;
  auto literal = [&](std::string_view text) {
    if (pieces.empty() || pieces.back().separator || pieces.back().counter) pieces.push_back({});
    pieces.back().text += Safe(text);
  };
  for (size_t at = 0; at < nameTemplate.size();) {
    const char c = nameTemplate[at];
    if (c == '\\' || c == '/') {
      Piece separator;
      separator.separator = true;
      pieces.push_back(separator);
      ++at;
      continue;
    }
    const size_t close = c == '<' ? nameTemplate.find('>', at) : std::string::npos;
    if (close == std::string::npos) {
      literal(std::string_view(nameTemplate).substr(at, 1));
      ++at;
      continue;
    }
    const std::string_view token = std::string_view(nameTemplate).substr(at + 1, close - at - 1);
    const size_t colon = token.find(':');
    const std::string_view name = token.substr(0, colon);
    const std::string_view argument =
        colon == std::string_view::npos ? std::string_view() : token.substr(colon + 1);
    const bool plain = colon == std::string_view::npos;
    std::optional<std::string> value;
    if (plain && ascii::EqualsIgnoringCase(name, "Title")) value = title;
    if (plain && ascii::EqualsIgnoringCase(name, "User")) value = job.user;
    if (plain && ascii::EqualsIgnoringCase(name, "Computer")) value = job.computer;
    if (plain && ascii::EqualsIgnoringCase(name, "Printer")) value = job.printer;
    if (plain && ascii::EqualsIgnoringCase(name, "Port")) value = job.port;
    if (plain && ascii::EqualsIgnoringCase(name, "JobId")) value = job.jobId;
    if (plain && ascii::EqualsIgnoringCase(name, "Date")) value = Format("%Y-%m-%d", job.when);
    if (plain && ascii::EqualsIgnoringCase(name, "Time")) value = Format("%H-%M-%S", job.when);
    if (!plain && ascii::EqualsIgnoringCase(name, "DateTime")) value = DateTime(argument, job.when);
    const bool counter = ascii::EqualsIgnoringCase(name, "Counter") &&
                         argument.find_first_not_of('0') == std::string_view::npos;
    if (counter) {
      Piece place;
      place.counter = true;
      place.digits = static_cast<unsigned>(std::max<size_t>(1, argument.size()));
      pieces.push_back(place);
    } else if (value) {
      literal(*value);
    } else {
      literal(nameTemplate.substr(at, close - at + 1));  // not a token: as typed
    }
    at = close + 1;
  }
  return pieces;
}

// A folder name or a file name made safe to create: no trailing dots or
// blanks, never empty, ".", ".." or a device.
// A "_" after the device's name, before any "." ("CON.txt" -> "CON_.txt").
void NoDevice(std::string& name) { name.insert(std::min(name.find('.'), name.size()), "_"); }

std::string SafeName(std::string name, path::Style style) {
  name = Trimmed(std::move(name));
  if (name.empty()) name = kUntitled;
  if (path::IsWindows(style) && path::IsDeviceName(name)) NoDevice(name);
  return name;
}

TemplateName Assemble(const std::vector<Piece>& pieces, path::Style style) {
  TemplateName name;
  // The pieces after the last separator are the file name.
  size_t fileStart = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].separator) fileStart = i + 1;
  }
  std::string folder;
  for (size_t i = 0; i < fileStart; ++i) {
    if (pieces[i].separator) {
      // POSIX names are 255 bytes at most.
      while (!path::IsWindows(style) && folder.size() > kPosixNameLimit) folder = CutEnd(folder, 1);
      name.folders += SafeName(folder, style) + path::Delimiter(style);
      folder.clear();
    } else {
      folder += pieces[i].counter ? "_Counter_" : pieces[i].text;
    }
  }
  std::string* part = &name.prefix;
  for (size_t i = fileStart; i < pieces.size(); ++i) {
    if (pieces[i].counter && !name.counterDigits) {
      name.counterDigits = pieces[i].digits;
      part = &name.suffix;
    } else if (!pieces[i].counter) {
      *part += pieces[i].text;
    }
  }
  // The extension as written, or ".pdf" added.
  std::string& last = name.counterDigits ? name.suffix : name.prefix;
  last = WithoutTrailingDotsAndBlanks(last);
  std::string extension = kExtension;
  if (last.size() >= 4 && ascii::EqualsIgnoringCase(last.substr(last.size() - 4), kExtension)) {
    extension = last.substr(last.size() - 4);
    last.resize(last.size() - 4);
  }
  if (!name.counterDigits) {
    name.prefix = SafeName(name.prefix, style) + extension;
  } else {
    name.prefix.erase(0, name.prefix.find_first_not_of(' '));
    name.suffix = WithoutTrailingDotsAndBlanks(name.suffix) + extension;
  }
  if (name.counterDigits && path::IsWindows(style) && path::IsDeviceName(name.FileName())) {
    NoDevice(name.prefix);
  }
  return name;
}

// How far the name is past what the system opens: UTF-16 units of the
// whole path on Windows, bytes of the longest name on POSIX.
size_t Excess(const TemplateName& name, const std::string& saveFolder, path::Style style) {
  if (path::IsWindows(style)) {
    const size_t length = Utf16Length(path::AddTrailingDelimiter(saveFolder, style)) +
                          Utf16Length(name.folders) + Utf16Length(name.FileName()) +
                          kRoomForANumber;
    return length > kWindowsPathLimit ? length - kWindowsPathLimit : 0;
  }
  size_t longest = name.FileName().size() + kRoomForANumber;
  for (size_t start = 0, end; start < name.folders.size(); start = end + 1) {
    end = name.folders.find(path::Delimiter(style), start);
    longest = std::max(longest, end - start);
  }
  return longest > kPosixNameLimit ? longest - kPosixNameLimit : 0;
}

}  // namespace

std::string TemplateName::FileName(unsigned number) const {
  if (!counterDigits) return prefix;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%0*u", static_cast<int>(*counterDigits), number);
  return prefix + digits + suffix;
}

TemplateName ExpandNameTemplate(const std::string& nameTemplate, const JobDetails& job,
                                const std::string& saveFolder, path::Style style) {
  TemplateName name = Assemble(Pieces(nameTemplate, job, job.title), style);
  size_t excess = Excess(name, saveFolder, style);
  // The title shortened first (a character for each unit or byte too
  // many), while that helps.
  for (std::string title = job.title; excess > 0 && !title.empty();) {
    title = CutEnd(std::move(title), excess);
    const size_t before = excess;
    name = Assemble(Pieces(nameTemplate, job, title), style);
    excess = Excess(name, saveFolder, style);
    if (excess >= before) break;
  }
  // Then the file name's own text: before the counter (or the extension),
  // then after the counter.
  auto cut = [&](std::string& part, size_t keep) {
    std::string text = part.substr(0, part.size() - keep);
    const std::string kept = part.substr(text.size());
    while (excess > 0 && !text.empty()) {
      text = WithoutTrailingDotsAndBlanks(CutEnd(text, 1));
      part = (text.empty() ? "_" : text) + kept;
      excess = Excess(name, saveFolder, style);
    }
  };
  const size_t extension = 4;  // ".pdf"
  cut(name.prefix, name.counterDigits ? 0 : extension);
  if (name.counterDigits) cut(name.suffix, extension);
  // What is left may be a device's name.
  if (path::IsWindows(style) && path::IsDeviceName(name.FileName())) NoDevice(name.prefix);
  return name;
}

}  // namespace procs
