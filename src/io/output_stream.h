// Standard output as a sink for rendered text.
#pragma once

#include <atomic>
#include <cstddef>
#include <string_view>
#include <vector>

#include "io/abrupt_end.h"
#include "support/text_sink.h"

namespace brackwen {

// A file descriptor written through a buffer: block-buffered, or flushed at every line feed
// when line-buffered. A write that fails throws a `Failure` naming standard output. The
// complete part of the buffer is published for an abrupt end of the process (`pending`); an
// interrupt deferred while a write was in flight ends the process once the write returns.
class OutputStream : public BufferedSink {
 public:
  // A stream writing to `fd`; `line_buffered` for a terminal.
  OutputStream(int fd, bool line_buffered, std::size_t capacity = std::size_t{1} << 18);
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  // Appends `text`, writing out the buffer when it is full.
  void write(std::string_view text) override;
  char* reserve(std::size_t n) override;
  void commit(std::size_t k) override;
  // Writes out everything buffered. Not while text is written in place: between `reserve` and
  // `commit` (checked in debug builds).
  void flush();
  // Writes out what it can of the buffer and drops the rest, reporting nothing.
  void flush_ignoring_errors() noexcept;
  // The complete part of the buffer, kept up to date for an abrupt end.
  const PendingOutput& pending() const noexcept { return pending_; }

 private:
  // Writes the buffer out; false, with errno set, when a write fails.
  bool drain() noexcept;
  // Publishes the size of the buffered text, after the text itself.
  void publish_size() noexcept {
    std::atomic_signal_fence(std::memory_order_release);
    pending_.size.store(size_, std::memory_order_relaxed);
  }

  int fd_;
  bool line_buffered_;
  std::vector<char> buffer_;
  std::size_t size_ = 0;
  bool writing_in_place_ = false;  // between `reserve` and `commit`
  PendingOutput pending_;
};

}  // namespace brackwen
