// Test helper: exit_with CODE [ARGV_FILE [ARG...]]. Writes every ARG, each
// followed by a NUL byte, to ARGV_FILE (complete or not at all: it is
// written beside and renamed), then exits with CODE.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 254;
  const int code = static_cast<int>(std::strtoul(argv[1], nullptr, 0));
  if (argc >= 3) {
    const std::string partial = std::string(argv[2]) + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (!out) return 253;
    for (int i = 3; i < argc; ++i) std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, out);
    if (std::fclose(out) != 0 || std::rename(partial.c_str(), argv[2]) != 0) return 253;
  }
  return code;
}
