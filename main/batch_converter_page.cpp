// The page "Batch converter": the list of file extensions in MemFiles, kept
// in the list file, and the re-registration of the batch converter's shell
// extension.
#include <chrono>

#include "main/extension_list_file.h"
#include "main/frm_main.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/outside_programs.h"

namespace main_window {

using toolkit::Control;

namespace {
// How long the registering run waits for the unregistering one at most.
constexpr std::chrono::seconds kUnregisterWaitLimit{30};
}  // namespace

void TFrmMain::LoadExtensionList() {
  std::string path = ExtensionListPath();
  if (platform::Current().files->FileExists(path)) {
    MemFiles->SetText(ReadExtensionList(path));
  } else {
    StoreExtensionList(path, MemFiles->Text());
  }
}

void TFrmMain::MemFilesChange(Control&) { BtnRegister->SetEnabled(true); }

void TFrmMain::BtnRegisterClick(Control&) {
  namespace path = platform::path;
  auto& services = platform::Current();
  StoreExtensionList(ExtensionListPath(), MemFiles->Text());
  std::string systemFolder = path::AddTrailingDelimiter(services.processInfo->SystemFolder());
  std::string programFolder = path::FolderPart(services.processInfo->ProgramPath());
  // The unregistering run must end before the registering one starts, or it
  // could undo the registration. Neither result is looked at: RegSvr32 shows
  // the user its own report of the registering run. The window answers
  // meanwhile; the page takes no second run and no edit until then.
  BtnRegister->SetEnabled(false);
  MemFiles->SetEnabled(false);
  services.processes->Launch(
      procs::UnregisterShellExtensionCommandLine(systemFolder, programFolder),
      {.wait = true, .waitLimit = kUnregisterWaitLimit, .dispatchMessages = true});
  MemFiles->SetEnabled(true);
  services.processes->Launch(procs::RegisterShellExtensionCommandLine(systemFolder, programFolder),
                             {});
}

}  // namespace main_window
