#include "platform/services.h"

namespace platform {

namespace {
Services* override_ = nullptr;
Services overrideStorage_;
}  // namespace

Services& Current() { return override_ ? *override_ : NativeServices(); }

ScopedServices::ScopedServices(const Services& replacement) : previous_(Current()) {
  Services next = previous_;
#define PDFPRINTER_REPLACE_SERVICE(Interface, field) \
  if (replacement.field) next.field = replacement.field;
  PDFPRINTER_PLATFORM_SERVICES(PDFPRINTER_REPLACE_SERVICE)
#undef PDFPRINTER_REPLACE_SERVICE
  overrideStorage_ = next;
  override_ = &overrideStorage_;
}

ScopedServices::~ScopedServices() { overrideStorage_ = previous_; }

}  // namespace platform
