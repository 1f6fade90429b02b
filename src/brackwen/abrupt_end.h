// Ending the process at once, from a signal handler. What the program's output stream holds
// complete is written out first. This is the one place of state that such an end needs;
// everything in it is a lock-free atomic, so that a signal handler may read it.
#pragma once

#include <atomic>
#include <cstddef>

namespace brackwen {

// The complete part of an output stream's buffer, published by the stream as it changes.
struct PendingOutput {
  std::atomic<int> fd{-1};                  // where the stream writes
  std::atomic<const char*> data{nullptr};   // the buffer
  std::atomic<std::size_t> size{0};         // how many bytes at its start are complete
  std::atomic<bool> busy{false};            // a write of the buffer is in flight, or it is moving
};

// For as long as it lives, an abrupt end writes out the output stream that it is given. One at
// a time.
class AbruptEndScope {
 public:
  AbruptEndScope() noexcept = default;
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

}  // namespace brackwen
