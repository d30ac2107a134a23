// The README's table of the settings file agrees with the program: every key
// the program reads stands there with the default it uses, and no key stands
// there that the program does not know.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "settings/port_options.h"
#include "settings/setting_keys.h"
#include "support/scratch_dir.h"

namespace {

// The rows of the table under "### The settings file": key -> "When absent".
std::map<std::string, std::string> ReadmeSettingsTable() {
  std::istringstream readme(testing_support::ReadBytes(PDFPRINTER_SOURCE_DIR "/README.md"));
  std::map<std::string, std::string> rows;
  bool inSection = false, inTable = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind("### ", 0) == 0) inSection = line == "### The settings file";
    if (!inSection) continue;
    if (line.rfind("| Section | Key |", 0) == 0) inTable = true;
    if (!inTable || line.rfind("| ", 0) != 0 || line.rfind("|---", 0) == 0) continue;
    std::vector<std::string> cells;  // trimmed, between the bars
    for (size_t at = 1, end; (end = line.find('|', at)) != std::string::npos; at = end + 1) {
      std::string cell = line.substr(at, end - at);
      cell.erase(0, cell.find_first_not_of(' '));
      cell.erase(cell.find_last_not_of(' ') + 1);
      cells.push_back(cell);
    }
    if (cells.size() == 4 && cells[1] != "Key") rows[cells[1]] = cells[3];
  }
  return rows;
}

TEST(SettingsTableTest, TheReadmeNamesEveryKeyWithItsDefault) {
  std::map<std::string, std::string> expected = {
      {std::string("`") + settings::kLocation.key + "`", "empty"},
      {std::string("`") + settings::kLastInputFile.key + "`", ""},
      {std::string("`") + settings::kGhostscriptTimeLimit.key + "`",
       "`" + std::to_string(settings::kDefaultGhostscriptTimeLimit) + "`"},
  };
  for (const settings::PortOption& option : settings::PortOptionTable())
    expected[std::string("`") + option.key + "`"] = "`" + settings::DefaultText(option) + "`";
  EXPECT_EQ(ReadmeSettingsTable(), expected);
}

}  // namespace
