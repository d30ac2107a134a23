#include "picture/jpeg_codec.h"

#include <jerror.h>

#include <utility>

#include "picture/jpeg_error.h"

namespace picture {

namespace {

JpegErrors& ErrorsOf(j_common_ptr info) { return *reinterpret_cast<JpegErrors*>(info->err); }

void ExitWithMessage(j_common_ptr info) {
  JpegErrors& errors = ErrorsOf(info);
  info->err->format_message(info, errors.message);
  std::longjmp(errors.jump, 1);
}

void CountWarning(j_common_ptr info, int level) {
  if (level < 0) info->err->num_warnings++;
}

void ShowNothing(j_common_ptr) {}

void InitSource(j_decompress_ptr info) {
  reinterpret_cast<JpegStreamSource*>(info->src)->atStart = true;
}

// Here and in WriteBlock an exception of the stream is kept and libjpeg's
// error raised outside the handler, so that the jump leaves no handler behind.
boolean FillInputBuffer(j_decompress_ptr info) {
  auto* source = reinterpret_cast<JpegStreamSource*>(info->src);
  size_t n = 0;
  bool failed = false;
  try {
    n = source->stream->Read(source->block, kJpegBlockSize);
  } catch (...) {
    ErrorsOf(reinterpret_cast<j_common_ptr>(info)).streamError = std::current_exception();
    failed = true;
  }
  if (failed) ERREXIT(info, JERR_FILE_READ);
  if (n == 0) {
    if (source->atStart) ERREXIT(info, JERR_INPUT_EMPTY);
    WARNMS(info, JWRN_JPEG_EOF);
    source->block[0] = 0xFF;
    source->block[1] = JPEG_EOI;
    n = 2;
  }
  source->manager.next_input_byte = source->block;
  source->manager.bytes_in_buffer = n;
  source->atStart = false;
  return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
  jpeg_source_mgr* source = info->src;
  if (count <= 0) return;
  while (count > static_cast<long>(source->bytes_in_buffer)) {
    count -= static_cast<long>(source->bytes_in_buffer);
    FillInputBuffer(info);
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= count;
}

void TermSource(j_decompress_ptr) {}

void InitDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<JpegStreamDestination*>(info->dest);
  destination->manager.next_output_byte = destination->block;
  destination->manager.free_in_buffer = kJpegBlockSize;
}

void WriteBlock(j_compress_ptr info, size_t count) {
  auto* destination = reinterpret_cast<JpegStreamDestination*>(info->dest);
  bool failed = false;
  try {
    destination->stream->Write(destination->block, count);
  } catch (...) {
    ErrorsOf(reinterpret_cast<j_common_ptr>(info)).streamError = std::current_exception();
    failed = true;
  }
  if (failed) ERREXIT(info, JERR_FILE_WRITE);
}

// libjpeg's contract: the whole block is due, whatever free_in_buffer says.
boolean EmptyOutputBuffer(j_compress_ptr info) {
  WriteBlock(info, kJpegBlockSize);
  InitDestination(info);
  return TRUE;
}

void TermDestination(j_compress_ptr info) {
  WriteBlock(info, kJpegBlockSize - info->dest->free_in_buffer);
}

}  // namespace

JpegErrors::JpegErrors() {
  jpeg_std_error(&manager);
  manager.error_exit = ExitWithMessage;
  manager.emit_message = CountWarning;
  manager.output_message = ShowNothing;
  manager.trace_level = 0;
}

void RaiseJpegError(JpegErrors& errors) {
  if (errors.streamError) std::rethrow_exception(std::exchange(errors.streamError, nullptr));
  throw EJPEG(errors.message);
}

JpegDecompressor::JpegDecompressor(Stream& stream) {
  Create(reinterpret_cast<j_common_ptr>(&info_), [&] { jpeg_create_decompress(&info_); });
  source_.manager = {
      nullptr, 0, InitSource, FillInputBuffer, SkipInputData, jpeg_resync_to_restart, TermSource};
  source_.stream = &stream;
  info_.src = &source_.manager;
}

JpegDecompressor::~JpegDecompressor() { jpeg_destroy_decompress(&info_); }

JpegCompressor::JpegCompressor(Stream& stream) {
  Create(reinterpret_cast<j_common_ptr>(&info_), [&] { jpeg_create_compress(&info_); });
  destination_.manager = {nullptr, 0, InitDestination, EmptyOutputBuffer, TermDestination};
  destination_.stream = &stream;
  info_.dest = &destination_.manager;
}

JpegCompressor::~JpegCompressor() { jpeg_destroy_compress(&info_); }

}  // namespace picture
