// The port and printer list: "Refresh", "Add new port", "Delete port", "Add
// PDF printer..." and the list's first filling at the window's creation.
#include <algorithm>
#include <string>
#include <vector>

#include "SHprinters/printer_actions.h"
#include "main/error_box.h"
#include "main/frm_main.h"
#include "main/message_dialog.h"
#include "main/spooler_printers.h"
#include "platform/error.h"
#include "platform/rules/ascii.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/add_pdf_printer.h"
#include "procs/add_redirected_port.h"
#include "procs/port_key.h"
#include "procs/port_program.h"
#include "settings/port_options.h"
#include "settings/settings_file.h"

namespace main_window {

using namespace toolkit;

namespace {

// The sub-items of a port's row with a printer attached.
std::vector<std::string> PrinterSubItems(const std::string& printer, const std::string& port) {
  const settings::PortOptions options = settings::ReadPortOptions(settings::SettingsFile(), port);
  return {printer, options.saveToFolder, options.showPdf ? "Yes" : "No"};
}

// The lines, each ended by a lone CR but the last.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text = lines[0];
  for (size_t i = 1; i < lines.size(); ++i) text += '\r' + lines[i];
  return text;
}

std::string DriverNames() {
  const std::vector<std::string>& drivers = procs::ShippedPostScriptDrivers();
  return drivers[0] + " (Windows 8 and later) or " + drivers[1] + " (Vista, 7)";
}

std::string AddPrinterInstructions(const std::string& port) {
  return JoinLines({
      "A PDF printer will now be added:",
      "1. Click OK: the printer \"PDF Printer\" is added on port " + port,
      "   with a PostScript driver that Windows ships (" + DriverNames() + ").",
      "2. If you have Ghostscript installed then you can print a test page.",
  });
}

// For the system's Add Printer wizard, when the printer cannot be made here.
std::string WizardInstructions(const std::string& port) {
  return JoinLines({
      "Please now follow these steps:",
      "1. Read all the following instructions and click OK.",
      "2. Add a local printer, use port " + port + " - ##### DO NOT USE LPT1: ######",
      "3. Important - Use a PostScript driver: " + DriverNames(),
      "4. Call the printer \"PDF Printer\" or similar",
      "5. If you have Ghostscript installed then you can print a test page.",
  });
}

void AddPrinter(ListView& list) {
  int row = list.SelectedIndex();
  if (row < 0) {
    ShowMessage("Please create and select a valid PDF printer port first.", MessageKind::kWarning,
                platform::kMbOk);
  } else if (!list.Row(row).subItems.empty()) {
    ShowMessage("There is already a printer attached to that port - please use an \"empty\" one.",
                MessageKind::kWarning, platform::kMbOk);
  } else if (const std::string port = list.Row(row).caption;
             ShowMessage(AddPrinterInstructions(port), MessageKind::kInformation,
                         platform::kMbOkCancel) == platform::kIdOk) {
    try {
      procs::AddPdfPrinter(port, SpoolerPrinterNames());
    } catch (const platform::Error& error) {
      ShowErrorBox(error.Message());
      if (ShowMessage(WizardInstructions(port), MessageKind::kInformation, platform::kMbOkCancel) ==
          platform::kIdOk) {
        shprinters::OpenAddPrinter();
      }
    }
  }
}

// Before a port is made: the monitor starts jobs through redrun.exe, and
// rr_set.exe is run first; without them every job on the port would fail.
// False, after an "Error" box naming them, when one is missing.
bool MonitorProgramsPresent() {
  auto& services = platform::Current();
  const std::string folder = platform::path::FolderPart(services.processInfo->ProgramPath());
  std::vector<std::string> missing;
  for (const char* program : {"redrun.exe", "rr_set.exe"}) {
    if (!services.files->FileExists(folder + program)) missing.push_back(program);
  }
  if (missing.empty()) return true;
  const bool one = missing.size() == 1;
  ShowMessage("The \"Redirected Port\" monitor's program" + std::string(one ? " " : "s ") +
                  (one ? missing[0] : missing[0] + " and " + missing[1]) + (one ? " is" : " are") +
                  " missing: copy " + (one ? "it" : "them") + " into " + folder +
                  ", beside this program, and add the port again.",
              MessageKind::kError, platform::kMbOk);
  return false;
}

// The numbers of the ports the monitor's ports key lists, ascending.
std::vector<uint32_t> PortNumbers() {
  std::vector<uint32_t> numbers;
  auto ports = platform::Current().registry->OpenKey(procs::PortsKeyPath(), platform::kKeyRead);
  if (!ports) return numbers;
  for (const std::string& name : ports->SubkeyNames()) {
    if (auto number = procs::PortKeyNumber(name)) numbers.push_back(*number);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

// Rows for the ports whose keys open, however numbered (so that "Add new
// port" always lists what it made), the remembered one selected (else
// PPP1:), then the printers attached to them.
void Refresh(ListView& list, const std::string& remembered) {
  list.Clear();
  auto& registry = *platform::Current().registry;
  for (uint32_t n : PortNumbers()) {
    std::string port = procs::PortName(n);
    if (!registry.OpenKey(procs::PortKeyPath(port), platform::kKeyRead)) continue;
    ListRow added;
    added.caption = port;
    int row = list.AddRow(added);
    if (n == 1 || port == remembered) list.SetSelected(row, true);
  }
  ForEachSpoolerPrinter([&](const std::string& printer, const std::string& port) {
    for (int row = 0; row < list.RowCount(); ++row) {
      if (list.Row(row).caption == port) list.SetSubItems(row, PrinterSubItems(printer, port));
    }
  });
}

// Whether the ports key can be read and has no key of the port's name.
bool PortKeyGone(const std::string& port) {
  auto ports = platform::Current().registry->OpenKey(procs::PortsKeyPath(), platform::kKeyRead);
  if (!ports) return false;
  for (const std::string& name : ports->SubkeyNames()) {
    if (platform::ascii::EqualsIgnoringCase(name, port)) return false;
  }
  return true;
}

void DeletePort(ListView& list, int row) {
  const std::string port = list.Row(row).caption;
  if (list.Row(row).subItems.empty()) {
    // A printer may have been attached since the list was read.
    std::string printer = PrinterOnPort(port);
    if (!printer.empty()) list.SetSubItems(row, PrinterSubItems(printer, port));
  }
  if (!list.Row(row).subItems.empty()) {
    ShowMessage("You must uninstall the printer " + list.Row(row).subItems[0] +
                    " before you can delete the port",
                MessageKind::kWarning, platform::kMbOk);
    return;
  }
  auto& registry = *platform::Current().registry;
  const std::string key = procs::PortKeyPath(port);
  // The port keeps its settings while its key stays, or may stay: a failed
  // delete counts only when the ports key shows the port gone.
  if (!registry.DeleteKeyTree(key) && !PortKeyGone(port)) {
    throw platform::ERegistryException("Failed to delete key HKEY_LOCAL_MACHINE" + key);
  }
  settings::SettingsFile().RemoveSection(port);
  list.RemoveRow(row);
  if (row < list.RowCount()) {
    list.SetSelected(row, true);
  } else if (list.RowCount() > 0) {
    list.SetSelected(list.RowCount() - 1, true);
  }
}

}  // namespace

void TFrmMain::OfferPortsOfAnotherCopy() {
  const std::string program = platform::Current().processInfo->ProgramPath();
  const std::vector<std::string> ports = procs::PortsOfAnotherProgram(program);
  if (ports.empty()) return;
  std::string names;
  for (const std::string& port : ports) names += (names.empty() ? "" : ", ") + port;
  if (ShowMessage("These ports start another copy of the program for their print jobs: " + names +
                      ".\r\rPoint them at this program, " + program + "?",
                  MessageKind::kWarning, platform::kMbYesNo) != platform::kIdYes) {
    return;
  }
  for (const std::string& port : ports) procs::PointPortAt(port, program);
}

void TFrmMain::PortStuff(Control& sender) {
  std::string remembered;
  if (&sender == BtnAddPort) {
    if (!MonitorProgramsPresent()) return;
    remembered = procs::AddRedirectedPort();
  } else if (int row = ListView1->SelectedIndex(); row >= 0) {
    remembered = ListView1->Row(row).caption;
  }
  if (&sender == BtnAddPrinter) AddPrinter(*ListView1);
  if (int row = ListView1->SelectedIndex(); &sender == BtnDelPort && row >= 0) {
    DeletePort(*ListView1, row);
  } else {
    Refresh(*ListView1, remembered);
  }
  if (&sender != this) ListView1->SetFocus();
  ShowPrinterDetails();
  BtnDelPort->SetEnabled(ListView1->RowCount() > 0);
}

}  // namespace main_window
