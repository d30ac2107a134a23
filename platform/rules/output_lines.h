// A program's output, given in pieces as a pipe yields them, cut into lines
// at LF (a CR before it dropped). A line longer than kLongest is given in
// pieces of that length, so that output without line ends holds no more.
#pragma once

#include <functional>
#include <string>

namespace platform {

class OutputLines {
 public:
  static constexpr size_t kLongest = 4096;
  using Take = std::function<void(const std::string& line)>;

  explicit OutputLines(Take take) : take_(std::move(take)) {}

  void Add(const char* bytes, size_t count);
  // What is left after the last line end, as a line of its own.
  void Finish();

 private:
  Take take_;
  std::string partial_;
};

}  // namespace platform
