#include "picture/stream.h"

#include <algorithm>
#include <cstring>

namespace picture {

void Stream::ReadBuffer(void* buffer, size_t count) {
  if (Read(buffer, count) != count) throw EReadError("Stream read error");
}

size_t MemoryStream::Read(void* buffer, size_t count) {
  size_t n = std::min(count, bytes_.size() - std::min(position_, bytes_.size()));
  if (n) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

void MemoryStream::Write(const void* buffer, size_t count) {
  if (bytes_.size() < position_ + count) bytes_.resize(position_ + count);
  if (count) std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
}

FileStream::FileStream(const std::string& path, Mode mode)
    : file_(std::fopen(path.c_str(), mode == Mode::kRead ? "rb" : "wb")) {
  if (file_) return;
  if (mode == Mode::kRead)
    throw platform::EFOpenError(platform::FormatMessage("Cannot open file %s", path));
  throw platform::EFCreateError(platform::FormatMessage("Cannot create file %s", path));
}

FileStream::~FileStream() { std::fclose(file_); }

size_t FileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, file_); }

void FileStream::Write(const void* buffer, size_t count) {
  if (std::fwrite(buffer, 1, count, file_) != count || std::fflush(file_) != 0) {
    throw EWriteError("Stream write error");
  }
}

}  // namespace picture
