#include "io/output_stream.h"

#include <cassert>
#include <cerrno>
#include <cstring>
#include <string>

#include <poll.h>
#include <unistd.h>

#include "io/fd_io.h"
#include "support/failure.h"

namespace brackwen {

OutputStream::OutputStream(int fd, bool line_buffered, std::size_t capacity)
    : fd_(fd), line_buffered_(line_buffered), buffer_(capacity) {
  pending_.fd.store(fd, std::memory_order_relaxed);
  pending_.data.store(buffer_.data(), std::memory_order_relaxed);
}

void OutputStream::write(std::string_view text) {
  while (text.size() > buffer_.size() - size_) {
    const std::size_t room = buffer_.size() - size_;
    std::memcpy(buffer_.data() + size_, text.data(), room);
    size_ += room;
    text.remove_prefix(room);
    flush();
  }
  std::memcpy(buffer_.data() + size_, text.data(), text.size());
  size_ += text.size();
  publish_size();
  if (line_buffered_ && text.find('\n') != std::string_view::npos) flush();
}

char* OutputStream::reserve(std::size_t n) {
  if (buffer_.size() - size_ < n) {
    flush();
    if (buffer_.size() < n) {
      // The buffer is empty now, and published so: an abrupt end reads nothing of it while it
      // moves.
      buffer_.resize(n);
      pending_.data.store(buffer_.data(), std::memory_order_relaxed);
    }
  }
  writing_in_place_ = true;
  return buffer_.data() + size_;
}

void OutputStream::commit(std::size_t k) {
  const char* written = buffer_.data() + size_;
  writing_in_place_ = false;
  size_ += k;
  publish_size();
  if (line_buffered_ && std::memchr(written, '\n', k) != nullptr) flush();
}

void OutputStream::flush() {
  assert(!writing_in_place_);
  if (!drain()) {
    const int error = errno;
    size_ = 0;
    publish_size();
    throw Failure(std::string("standard output: ") + std::strerror(error));
  }
}

void OutputStream::flush_ignoring_errors() noexcept {
  drain();
  size_ = 0;
  publish_size();
}

bool OutputStream::drain() noexcept {
  // While busy, an interrupt only marks itself deferred, and the write that it cuts short
  // returns; the loop stops there and the end comes once the buffer is consistent again.
  pending_.busy.store(true, std::memory_order_relaxed);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  std::size_t written = 0;
  bool ok = true;
  while (written < size_ && !interrupt_deferred()) {
    const ssize_t n = ::write(fd_, buffer_.data() + written, size_ - written);
    if (n >= 0) {
      written += static_cast<std::size_t>(n);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait_until_ready(fd_, POLLOUT);
    } else if (errno != EINTR) {
      ok = false;
      break;
    }
  }
  const int error = errno;
  std::memmove(buffer_.data(), buffer_.data() + written, size_ - written);
  size_ -= written;
  publish_size();
  std::atomic_signal_fence(std::memory_order_seq_cst);
  pending_.busy.store(false, std::memory_order_relaxed);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  // Deferred during the write, or come just before the stream stopped being busy.
  if (interrupt_deferred()) end_by_interrupt();
  errno = error;
  return ok;
}

}  // namespace brackwen
