// Test helper: exit_later MS CODE [LINES]. Waits MS milliseconds, then exits
// with CODE; with LINES, writes "line 1" to "line LINES" to its standard
// output meanwhile, spread over the wait.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  if (argc < 3) return 254;
  const unsigned long wait = std::strtoul(argv[1], nullptr, 0);
  const unsigned long lines = argc > 3 ? std::strtoul(argv[3], nullptr, 0) : 0;
  for (unsigned long line = 1; line <= lines; ++line) {
    std::printf("line %lu\n", line);
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(wait / lines));
  }
  if (lines == 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait));
  return static_cast<int>(std::strtoul(argv[2], nullptr, 0));
}
