// The set-up window over fakes: a registry holding ports and the spooler's
// printers, a settings file in memory, scripted boxes and dialogs, process
// runs that only pretend, and a Printers folder.
#pragma once

#include <filesystem>

#include <string>
#include <utility>
#include <vector>

#include "main/frm_main.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_profile.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/fake_shell_namespace.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/port_key.h"
#include "settings/settings_file.h"
#include "support/scratch_dir.h"

namespace testing_support {

inline const std::string kPrintersKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";

// A program folder with a blank in it, made once per test program, holding
// the monitor's two programs (empty files) as an installation does; in this
// build's path form, with its delimiter.
inline std::string ProgramFolder() {
  static const ScratchDir root;
  static const std::string folder = [] {
    const std::filesystem::path made = std::filesystem::path(root.Path()) / "PDF Tools";
    std::filesystem::create_directories(made);
    for (const char* program : {"redrun.exe", "rr_set.exe"})
      WriteBytes((made / program).string(), "");
    return platform::path::AddTrailingDelimiter(made.string());
  }();
  return folder;
}

// A new port's twelve values, in the order written, for the program at
// `program` (a path ending in ".exe").
inline std::vector<std::pair<std::string, platform::RegistryValue>> PortValues(
    const std::string& port, const std::string& program = ProgramFolder() + "setup.exe") {
  const std::string folder = platform::path::FolderPart(program);
  const std::string stem = program.substr(0, program.size() - 4);
  auto text = [](const std::string& s) {
    return platform::RegistryValue{platform::kRegSz, s + '\0'};
  };
  auto dword = [](uint32_t v) {
    return platform::RegistryValue{platform::kRegDword, platform::DwordBytes(v)};
  };
  return {{"Arguments", text("\"" + program + "\" \"%1\" \"" + port + "\"")},
          {"Command", text(folder + "redrun.exe")},
          {"Delay", dword(300)},
          {"Description", text("PDF Printer Port")},
          {"LogFileDebug", dword(1)},
          {"LogFileName", text(stem + ".log")},
          {"LogFileUse", dword(1)},
          {"Output", dword(0)},
          {"Printer", text("PDF Printer")},
          {"PrintError", dword(0)},
          {"RunUser", dword(1)},
          {"ShowWindow", dword(2)}};
}

// One window and its world; tests make one per case.
struct PortListScene {
  void AddPorts(const std::vector<int>& numbers) {
    for (int n : numbers) registry.AddKey(procs::PortKeyPath(procs::PortName(n)));
  }
  void AttachPrinter(const std::string& printer, const std::string& port) {
    registry.SetString(kPrintersKey + "\\" + printer, "Port", port);
  }
  // An event from outside, as the window runs it.
  template <typename T>
  void Click(T* control) {
    form.RunEvent([control] { control->Click(); });
  }
  void FirstFill() {
    form.RunEvent([this] { form.PortStuff(form); });
  }  // FormCreate's step 4
  void Select(int row) { form.ListView1->SetSelected(row < 0 ? 0 : row, row >= 0); }
  // The port's options as stored: folder|type|show, "-" when absent.
  std::string Saved(const std::string& port) const {
    return settings.ReadText(port, "SaveToFolder", "-") + "|" +
           settings.ReadText(port, "SaveType", "-") + "|" + settings.ReadText(port, "ShowPDF", "-");
  }
  // The rows: caption, "*" when selected, ": " and the sub-items.
  std::string Listed() const {
    std::string out;
    for (int i = 0; i < form.ListView1->RowCount(); ++i) {
      const auto& row = form.ListView1->Row(i);
      out += (i ? " / " : "") + row.caption + (row.selected ? "*" : "");
      for (size_t s = 0; s < row.subItems.size(); ++s) out += (s ? "|" : ": ") + row.subItems[s];
    }
    return out;
  }
  std::string BoxTexts() const {
    std::string out;
    for (const auto& box : boxes.Shown()) out += (out.empty() ? "" : " + ") + box.text;
    return out;
  }

  platform::fake::FakeServices fakes{ProgramFolder() + "setup.exe",
                                     platform::fake::FakeServices::Profile::kFake};
  platform::fake::FakeRegistry& registry = fakes.registry;
  platform::fake::FakeProfile& profile = fakes.profile;
  platform::fake::FakeProcesses& processes = fakes.processes;
  platform::fake::FakeDialogs& dialogs = fakes.dialogs;
  platform::fake::FakeMessageBoxes& boxes = fakes.boxes;
  platform::fake::FakeShellNamespace& shell = fakes.shellNamespace;
  settings::SettingsFile settings;
  main_window::TFrmMain form;
};

}  // namespace testing_support
