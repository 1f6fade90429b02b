// Ending the process at once, from a signal handler or an allocation that may not fail back to
// its caller, after writing out what the output stream holds complete. The state it needs is
// kept here only, and what a signal handler reads of it is lock-free atomic.
#pragma once

#include <atomic>
#include <cstddef>
#include <string_view>

namespace brackwen {

// The complete part of an output stream's buffer, published by the stream as it changes.
struct PendingOutput {
  std::atomic<int> fd{-1};                 // where the stream writes
  std::atomic<const char*> data{nullptr};  // the buffer
  std::atomic<std::size_t> size{0};        // how many bytes at its start are complete
  std::atomic<bool> busy{false};           // a write of the buffer is in flight, or it is moving
};

// For as long as it lives, an abrupt end writes out the output stream that it is given, and
// reports running out of memory under the program name on the error stream. One at a time.
class AbruptEndScope {
 public:
  // A scope for a run whose failure line names `program` (kept, not copied) on `error_fd`.
  AbruptEndScope(std::string_view program, int error_fd) noexcept;
  ~AbruptEndScope();
  AbruptEndScope(const AbruptEndScope&) = delete;
  AbruptEndScope& operator=(const AbruptEndScope&) = delete;

  // Makes an abrupt end write out `output` first, until the scope ends.
  void write_out(const PendingOutput& output) noexcept;
};

// For a signal handler: records the interrupt and returns true when a write of the output is in
// flight, which then ends the process itself once the write returns (`interrupt_deferred`).
bool defer_interrupt_while_writing() noexcept;

// Whether an interrupt was deferred until the write in flight returns.
bool interrupt_deferred() noexcept;

// Writes out the complete part of the output, unless a write of it is in flight, and ends the
// process by SIGINT under its default action, so that a further SIGINT ends it at once.
// Async-signal-safe.
[[noreturn]] void end_by_interrupt() noexcept;

// Writes out the complete part of the output, unless a write of it is in flight, writes the
// failure line for running out of memory, and ends the process with exit status 1. Allocates
// nothing, and is async-signal-safe.
[[noreturn]] void end_out_of_memory() noexcept;

}  // namespace brackwen
