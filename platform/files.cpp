#include "platform/files.h"

#include "platform/error.h"
#include "platform/services.h"

namespace platform {

void AppendLine(const std::string& path, const std::string& line) {
  auto& files = *Current().files;
  int code = 0;
  if (!files.FileExists(path)) code = files.CreateEmptyFile(path);
  if (code == 0) code = files.AppendToFile(path, line + "\r\n");
  if (code != 0) throw EInOutError(InOutErrorText(code), code);
}

}  // namespace platform
