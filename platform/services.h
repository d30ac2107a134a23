// The platform services the logic uses, reached through one table so that
// tests can put fakes in place of the real backends.
#pragma once

#include "platform/code_pages.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/print_spooler.h"
#include "platform/process.h"
#include "platform/process_info.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/shell_namespace.h"

namespace platform {

struct Services {
  ProcessInfo* processInfo = nullptr;
  Files* files = nullptr;
  Profile* profile = nullptr;
  Registry* registry = nullptr;
  Processes* processes = nullptr;
  Shell* shell = nullptr;
  Dialogs* dialogs = nullptr;
  MessageBoxes* messageBoxes = nullptr;
  ShellNamespace* shellNamespace = nullptr;
  PrintSpooler* printSpooler = nullptr;
  Desktop* desktop = nullptr;
  CodePages* codePages = nullptr;
};

// The real backends of this build (Win32 or POSIX), made on first use and
// alive for the whole process.
Services& NativeServices();

// The services in force: the native ones unless a ScopedServices replaced them.
Services& Current();

// Puts other services in force for its lifetime (tests); fields left null
// keep the ones in force before.
class ScopedServices {
 public:
  explicit ScopedServices(const Services& replacement);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services previous_;
};

}  // namespace platform
