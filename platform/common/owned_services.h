// A build's backends owned together, and the table that points at them: what
// NativeServices() keeps alive for the whole process.
#pragma once

#include <memory>

#include "platform/services.h"

namespace platform {

struct OwnedServices {
#define PDFPRINTER_OWNED_SERVICE(Interface, field) std::unique_ptr<Interface> field;
  PDFPRINTER_PLATFORM_SERVICES(PDFPRINTER_OWNED_SERVICE)
#undef PDFPRINTER_OWNED_SERVICE

  Services Table() const {
    Services table;
#define PDFPRINTER_SERVICE_POINTER(Interface, field) table.field = field.get();
    PDFPRINTER_PLATFORM_SERVICES(PDFPRINTER_SERVICE_POINTER)
#undef PDFPRINTER_SERVICE_POINTER
    return table;
  }
};

}  // namespace platform

// A backend's factories, MakeInterface() for every service: declared in the
// backend's namespace by PDFPRINTER_DECLARE_FACTORIES(), and called in the
// list's order by the MakeOwnedServices() that
// PDFPRINTER_DEFINE_MAKE_OWNED_SERVICES() defines there.
#define PDFPRINTER_DECLARE_FACTORY(Interface, field) std::unique_ptr<Interface> Make##Interface();
#define PDFPRINTER_DECLARE_FACTORIES() PDFPRINTER_PLATFORM_SERVICES(PDFPRINTER_DECLARE_FACTORY)
#define PDFPRINTER_CALL_FACTORY(Interface, field) owned.field = Make##Interface();
#define PDFPRINTER_DEFINE_MAKE_OWNED_SERVICES()           \
  OwnedServices MakeOwnedServices() {                     \
    OwnedServices owned;                                  \
    PDFPRINTER_PLATFORM_SERVICES(PDFPRINTER_CALL_FACTORY) \
    return owned;                                         \
  }
