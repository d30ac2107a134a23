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
#include "platform/progress_window.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/shell_namespace.h"

// Every service, as X(Interface, field): the one list that the table, the
// owned set and each backend's factories (MakeInterface) are made from.
#define PDFPRINTER_PLATFORM_SERVICES(X) \
  X(ProcessInfo, processInfo)           \
  X(Files, files)                       \
  X(Profile, profile)                   \
  X(Registry, registry)                 \
  X(Processes, processes)               \
  X(Shell, shell)                       \
  X(Dialogs, dialogs)                   \
  X(MessageBoxes, messageBoxes)         \
  X(ShellNamespace, shellNamespace)     \
  X(PrintSpooler, printSpooler)         \
  X(Desktop, desktop)                   \
  X(CodePages, codePages)               \
  X(ProgressWindows, progressWindows)

namespace platform {

struct Services {
#define PDFPRINTER_SERVICE_FIELD(Interface, field) Interface* field = nullptr;
  PDFPRINTER_PLATFORM_SERVICES(PDFPRINTER_SERVICE_FIELD)
#undef PDFPRINTER_SERVICE_FIELD
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
