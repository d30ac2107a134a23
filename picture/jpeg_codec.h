// libjpeg's decompression and compression objects, owned (destroyed on every
// path), reading from and writing to our streams, with libjpeg's fatal
// errors turned into exceptions.
//
// libjpeg is C: an exception must not unwind through its frames. Its
// error_exit therefore jumps (longjmp) back to the guard around the one
// libjpeg call in progress, crossing only libjpeg's frames and our
// callbacks', which hold no objects with destructors; the guard then raises
// EJPEG with libjpeg's message, or rethrows what a stream callback caught.
#pragma once

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <exception>

#include <jpeglib.h>

#include "picture/stream.h"

namespace picture {

// libjpeg's standard error manager with two changes: a fatal error jumps
// back with its formatted message (at most JMSG_LENGTH_MAX, 200 characters)
// instead of ending the process; a warning is only counted, never shown.
// Trace messages stay off (trace level 0).
struct JpegErrors {
  JpegErrors();
  jpeg_error_mgr manager;  // first: libjpeg hands its callbacks a pointer to it
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX] = {};
  std::exception_ptr streamError;  // caught in a stream callback, raised after the jump
};

// Runs `call`, a libjpeg call and nothing else, and returns false when
// libjpeg raised a fatal error. Never inlined (it calls setjmp).
template <typename Call>
bool JpegCallSucceeds(JpegErrors& errors, Call call) {
  if (setjmp(errors.jump)) return false;
  call();
  return true;
}

// Raises the error a failed call left: the stream's own exception, or EJPEG.
[[noreturn]] void RaiseJpegError(JpegErrors& errors);

template <typename Call>
void JpegCall(JpegErrors& errors, Call call) {
  if (!JpegCallSucceeds(errors, call)) RaiseJpegError(errors);
}

constexpr size_t kJpegBlockSize = 4096;

// libjpeg's data source and destination over a stream.
struct JpegStreamSource {
  jpeg_source_mgr manager;  // first: libjpeg hands its callbacks a pointer to it
  Stream* stream;
  bool atStart;
  JOCTET block[kJpegBlockSize];
};
struct JpegStreamDestination {
  jpeg_destination_mgr manager;  // first, as above
  Stream* stream;
  JOCTET block[kJpegBlockSize];
};

// What both libjpeg objects share: the error manager and guarded calls.
class JpegObject {
 public:
  JpegObject(const JpegObject&) = delete;
  JpegObject& operator=(const JpegObject&) = delete;

  template <typename Call>
  void Run(Call call) {
    JpegCall(errors_, call);
  }

 protected:
  JpegObject() = default;
  // Creates the object `info` (zeroed beforehand, so destroying it is safe
  // even when creating it failed) with `create`, or raises.
  template <typename Call>
  void Create(j_common_ptr info, Call create) {
    info->err = &errors_.manager;
    if (!JpegCallSucceeds(errors_, create)) {
      jpeg_destroy(info);
      RaiseJpegError(errors_);
    }
  }

  JpegErrors errors_;
};

// Reads the stream from its position in blocks of 4,096 bytes. An empty
// stream fails with "Empty input file"; a stream that ends early counts the
// warning "Premature end of JPEG file" and supplies an end-of-image marker.
class JpegDecompressor : public JpegObject {
 public:
  explicit JpegDecompressor(Stream& stream);
  ~JpegDecompressor();
  jpeg_decompress_struct& Info() { return info_; }

 private:
  jpeg_decompress_struct info_ = {};
  JpegStreamSource source_ = {};
};

// Writes the compressed data to the stream in blocks of 4,096 bytes.
class JpegCompressor : public JpegObject {
 public:
  explicit JpegCompressor(Stream& stream);
  ~JpegCompressor();
  jpeg_compress_struct& Info() { return info_; }

 private:
  jpeg_compress_struct info_ = {};
  JpegStreamDestination destination_ = {};
};

}  // namespace picture
