// Byte streams the pictures load from and save to: in memory, or a file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace picture {

using platform::EReadError;
using platform::EWriteError;

class Stream {
 public:
  virtual ~Stream() = default;
  // Reads up to `count` bytes from the current position and moves past them;
  // fewer only at the end of the stream (0 there).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes all bytes at the current position or raises EWriteError
  // "Stream write error".
  virtual void Write(const void* buffer, size_t count) = 0;

  // Reads exactly `count` bytes or raises EReadError "Stream read error".
  void ReadBuffer(void* buffer, size_t count);
};

// Bytes in memory; reads start at the beginning, writes go to the position
// and extend the bytes as needed.
class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::string_view bytes) : bytes_(bytes) {}

  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;

  const std::string& Bytes() const { return bytes_; }
  size_t Position() const { return position_; }

 private:
  std::string bytes_;
  size_t position_ = 0;
};

// A file opened for reading (EFOpenError "Cannot open file %s") or created
// for writing (EFCreateError "Cannot create file %s"); closed with the object.
class FileStream : public Stream {
 public:
  enum class Mode { kRead, kCreate };
  FileStream(const std::string& path, Mode mode);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;

 private:
  std::FILE* file_;
};

}  // namespace picture
