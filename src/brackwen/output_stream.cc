#include "brackwen/output_stream.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <poll.h>
#include <unistd.h>

#include "brackwen/failure.h"
#include "brackwen/fd_io.h"
#include "brackwen/interrupt.h"

namespace brackwen {

OutputStream::OutputStream(int fd, bool line_buffered, std::size_t capacity)
    : fd_(fd), line_buffered_(line_buffered), buffer_(capacity) {}

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
  if (line_buffered_ && text.find('\n') != std::string_view::npos) flush();
}

char* OutputStream::reserve(std::size_t n) {
  if (buffer_.size() - size_ < n) {
    flush();
    if (buffer_.size() < n) buffer_.resize(n);
  }
  return buffer_.data() + size_;
}

void OutputStream::commit(std::size_t k) {
  const char* written = buffer_.data() + size_;
  size_ += k;
  if (line_buffered_ && std::memchr(written, '\n', k) != nullptr) flush();
}

void OutputStream::flush() {
  if (!drain(true)) {
    const int error = errno;
    size_ = 0;
    throw Failure(std::string("standard output: ") + std::strerror(error));
  }
}

void OutputStream::flush_ignoring_errors() noexcept {
  drain(false);
  size_ = 0;
}

bool OutputStream::drain(bool notice_interrupt) noexcept {
  std::size_t written = 0;
  bool ok = true;
  while (written < size_) {
    const ssize_t n = ::write(fd_, buffer_.data() + written, size_ - written);
    if (n >= 0) {
      written += static_cast<std::size_t>(n);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait_until_ready(fd_, POLLOUT);
    } else if (errno != EINTR) {
      ok = false;
      break;
    }
    if (notice_interrupt && interrupt_pending()) {
      std::memmove(buffer_.data(), buffer_.data() + written, size_ - written);
      size_ -= written;
      flush_ignoring_errors();
      end_by_interrupt();
    }
  }
  const int error = errno;
  std::memmove(buffer_.data(), buffer_.data() + written, size_ - written);
  size_ -= written;
  errno = error;
  return ok;
}

}  // namespace brackwen
