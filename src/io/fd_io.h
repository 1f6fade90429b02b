// Waiting on and writing to file descriptors that may be in non-blocking mode, whose flags
// belong to whoever shares them and are never changed here.
#pragma once

#include <string_view>

namespace brackwen {

// Waits until `fd` is ready for `events` (POLLIN or POLLOUT), after an operation on it found it
// would block. False when a signal handler interrupted the wait. Async-signal-safe.
bool wait_until_ready(int fd, short events) noexcept;

// Writes all of `bytes` to `fd`, going on after a signal handler interrupts it and waiting while
// it would block; false, with errno set, at the first other failure. Async-signal-safe.
bool write_all(int fd, std::string_view bytes) noexcept;

// Writes `program`, ": ", `message` and a line feed to `fd`, in one write unless very long,
// ignoring errors. Allocates nothing, so it serves when memory has run out; async-signal-safe.
void write_failure_line(int fd, std::string_view program, std::string_view message) noexcept;

}  // namespace brackwen
