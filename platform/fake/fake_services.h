// Every fake service in one bundle, put in force for the bundle's lifetime:
// a test reaches each fake by name. The files stay native (tests use real
// files in a folder of their own), and so does the profile unless asked for,
// as most tests read and write real settings files.
#pragma once

#include <string>

#include "platform/common/windows_1252_code_pages.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_print_spooler.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_profile.h"
#include "platform/fake/fake_progress_windows.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_shell_namespace.h"
#include "platform/services.h"

namespace platform::fake {

class FakeServices {
 public:
  enum class Profile { kNative, kFake };

  explicit FakeServices(std::string programPath = "", Profile use = Profile::kNative)
      : info(std::move(programPath), ""),
        scope_({.processInfo = &info,
                .profile = use == Profile::kFake ? &profile : nullptr,
                .registry = &registry,
                .processes = &processes,
                .shell = &shell,
                .dialogs = &dialogs,
                .messageBoxes = &boxes,
                .shellNamespace = &shellNamespace,
                .printSpooler = &printSpooler,
                .desktop = &desktop,
                .codePages = &codePages,
                .progressWindows = &progressWindows}) {}

  FakeProcessInfo info;
  FakeProfile profile;
  FakeRegistry registry;
  FakeProcesses processes;
  FakeShell shell;
  FakeDialogs dialogs;
  FakeMessageBoxes boxes;
  FakeShellNamespace shellNamespace;
  FakePrintSpooler printSpooler;
  FakeDesktop desktop;
  // The program's code page is UTF-8 unless a test sets utf8Program false.
  Windows1252CodePages codePages;
  FakeProgressWindows progressWindows;

 private:
  ScopedServices scope_;
};

}  // namespace platform::fake
