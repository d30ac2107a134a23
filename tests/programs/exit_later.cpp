// Test helper: exit_later MS CODE. Waits MS milliseconds, then exits with
// CODE.
#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  if (argc < 3) return 254;
  std::this_thread::sleep_for(std::chrono::milliseconds(std::strtoul(argv[1], nullptr, 0)));
  return static_cast<int>(std::strtoul(argv[2], nullptr, 0));
}
