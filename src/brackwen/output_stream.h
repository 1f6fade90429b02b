// Standard output as a sink for rendered text.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "brackwen/render.h"

namespace brackwen {

// A file descriptor written through a buffer: block-buffered, or flushed at every line feed
// when line-buffered. A write that fails throws a `Failure` naming standard output; a SIGINT
// noticed while writing flushes what is buffered and ends the process by that signal.
class OutputStream : public TextSink {
 public:
  // A stream writing to `fd`; `line_buffered` for a terminal.
  OutputStream(int fd, bool line_buffered, std::size_t capacity = std::size_t{1} << 18);
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  // Appends `text`, writing out the buffer when it is full.
  void write(std::string_view text) override;
  char* reserve(std::size_t n) override;
  void commit(std::size_t k) override;
  // Writes out everything buffered.
  void flush();
  // Writes out what it can of the buffer and drops the rest, reporting nothing.
  void flush_ignoring_errors() noexcept;

 private:
  // Writes the buffer out; false, with errno set, when a write fails.
  bool drain(bool notice_interrupt) noexcept;

  int fd_;
  bool line_buffered_;
  std::vector<char> buffer_;
  std::size_t size_ = 0;
};

}  // namespace brackwen
