#include "io/fd_io.h"

#include <cerrno>
#include <cstddef>
#include <cstring>

#include <poll.h>
#include <unistd.h>

namespace brackwen {

bool wait_until_ready(int fd, short events) noexcept {
  pollfd ready{fd, events, 0};
  // A failing poll, or one that reports an error on `fd`, returns so that the next operation
  // reports the failure.
  return poll(&ready, 1, -1) >= 0 || errno != EINTR;
}

bool write_all(int fd, std::string_view bytes) noexcept {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait_until_ready(fd, POLLOUT);
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

void write_failure_line(int fd, std::string_view program, std::string_view message) noexcept {
  const std::string_view pieces[] = {program, ": ", message, "\n"};
  char line[1024];
  std::size_t size = 0;
  for (const std::string_view piece : pieces) {
    if (piece.size() > sizeof line - size) {
      for (const std::string_view each : pieces) write_all(fd, each);
      return;
    }
    std::memcpy(line + size, piece.data(), piece.size());
    size += piece.size();
  }
  write_all(fd, std::string_view(line, size));
}

}  // namespace brackwen
