#include "platform/services.h"

namespace platform {

namespace {
Services* override_ = nullptr;
Services overrideStorage_;
}  // namespace

Services& Current() { return override_ ? *override_ : NativeServices(); }

ScopedServices::ScopedServices(const Services& replacement) : previous_(Current()) {
  Services next = previous_;
  auto pick = [](auto* mine, auto* theirs) { return mine ? mine : theirs; };
  next.processInfo = pick(replacement.processInfo, next.processInfo);
  next.files = pick(replacement.files, next.files);
  next.profile = pick(replacement.profile, next.profile);
  next.registry = pick(replacement.registry, next.registry);
  next.processes = pick(replacement.processes, next.processes);
  next.shell = pick(replacement.shell, next.shell);
  next.dialogs = pick(replacement.dialogs, next.dialogs);
  next.messageBoxes = pick(replacement.messageBoxes, next.messageBoxes);
  next.shellNamespace = pick(replacement.shellNamespace, next.shellNamespace);
  next.printSpooler = pick(replacement.printSpooler, next.printSpooler);
  next.desktop = pick(replacement.desktop, next.desktop);
  next.codePages = pick(replacement.codePages, next.codePages);
  overrideStorage_ = next;
  override_ = &overrideStorage_;
}

ScopedServices::~ScopedServices() { overrideStorage_ = previous_; }

}  // namespace platform
