// The error of the JPEG picture format: libjpeg's message text, "Invalid
// number of samples, N", or the refusal to encode other formats.
#pragma once

#include <string>

#include "platform/error.h"

namespace picture {

struct EJPEG : platform::Error {
  [[gnu::always_inline]] explicit EJPEG(const std::string& message) : Error("EJPEG", message) {}
};

}  // namespace picture
