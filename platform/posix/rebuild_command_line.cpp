#include "platform/posix/rebuild_command_line.h"

#include "platform/error.h"
#include "platform/rules/command_line.h"

namespace platform::posix {

std::string RebuildCommandLine(const std::vector<std::string>& words) {
  std::string line;
  for (const auto& word : words) {
    if (word.find('"') != std::string::npos) {
      throw Error("EArgumentException", "The argument " + word +
                                            " holds a double quote, which a Windows command "
                                            "line cannot pass");
    }
    if (!line.empty()) line += ' ';
    line += QuoteArgument(word);
  }
  return line;
}

}  // namespace platform::posix
