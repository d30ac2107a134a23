#include "settings/port_options.h"

namespace settings {

const std::vector<PortOption>& PortOptionTable() {
  static const std::vector<PortOption> table = {
      {"SaveToFolder", &PortOptions::saveToFolder}, {"SaveType", &PortOptions::saveType},
      {"ShowPDF", &PortOptions::showPdf},           {"NameTemplate", &PortOptions::nameTemplate},
      {"IfFileExists", &PortOptions::ifFileExists}, {"PDFType", &PortOptions::pdfType},
      {"Quality", &PortOptions::quality},
  };
  return table;
}

namespace {

// Calls visit with the option's field in `options`.
template <class Options, class Visit>
void VisitField(const PortOption& option, Options& options, Visit&& visit) {
  std::visit([&](auto field) { visit(options.*field); }, option.field);
}

std::string StoredForm(const std::string& text) { return text; }
std::string StoredForm(int32_t number) { return std::to_string(number); }
std::string StoredForm(bool flag) { return flag ? "1" : "0"; }

}  // namespace

std::string DefaultText(const PortOption& option) {
  const PortOptions defaults;
  std::string text;
  VisitField(option, defaults, [&](const auto& value) { text = StoredForm(value); });
  return text;
}

PortOptions ReadPortOptions(const SettingsFile& file, const std::string& port) {
  PortOptions options;
  for (const PortOption& option : PortOptionTable()) {
    VisitField(option, options, [&](auto& value) {
      using T = std::decay_t<decltype(value)>;
      if constexpr (std::is_same_v<T, std::string>) {
        value = file.ReadText(port, option.key, value);
      } else if constexpr (std::is_same_v<T, int32_t>) {
        value = file.ReadNumber(port, option.key, value);
      } else {
        value = file.ReadFlag(port, option.key, value);
      }
    });
  }
  return options;
}

void WritePortOptions(SettingsFile& file, const std::string& port, const PortOptions& options) {
  for (const PortOption& option : PortOptionTable()) {
    VisitField(option, options,
               [&](const auto& value) { file.WriteText(port, option.key, StoredForm(value)); });
  }
}

}  // namespace settings
