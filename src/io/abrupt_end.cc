#include "io/abrupt_end.h"

#include <csignal>

#include <unistd.h>

#include "io/fd_io.h"
#include "support/failure.h"

namespace brackwen {
namespace {

// What an abrupt end needs, set by the living `AbruptEndScope`. A signal handler reads only the
// atomics; the failure line is written by the allocation hook, in the program's own flow.
struct AbruptEndState {
  std::atomic<const PendingOutput*> output{nullptr};  // the output to write out, if any
  std::atomic<bool> interrupt_deferred{false};        // an interrupt waits for a write to return
  std::string_view program;                           // the program name of the failure line
  int error_fd = STDERR_FILENO;                       // where the failure line goes
};

AbruptEndState state;

// A signal handler may use only lock-free atomics.
static_assert(std::atomic<const PendingOutput*>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
              std::atomic<std::size_t>::is_always_lock_free && std::atomic<int>::is_always_lock_free &&
              std::atomic<const char*>::is_always_lock_free);

// Writes out the complete part of the output unless a write of it is in flight; an abrupt end
// that comes while another one writes it out (an interrupt during the allocation hook's) finds
// it taken and writes nothing, so no byte is written twice.
void write_out_pending_output() noexcept {
  const PendingOutput* output = state.output.exchange(nullptr, std::memory_order_relaxed);
  if (output == nullptr || output->busy.load(std::memory_order_relaxed)) return;
  const char* data = output->data.load(std::memory_order_relaxed);
  const std::size_t size = output->size.load(std::memory_order_relaxed);
  std::atomic_signal_fence(std::memory_order_acquire);
  if (size != 0) write_all(output->fd.load(std::memory_order_relaxed), std::string_view(data, size));
}

}  // namespace

AbruptEndScope::AbruptEndScope(std::string_view program, int error_fd) noexcept {
  state.program = program;
  state.error_fd = error_fd;
}

AbruptEndScope::~AbruptEndScope() {
  state.output.store(nullptr, std::memory_order_relaxed);
  state.program = {};
  state.error_fd = STDERR_FILENO;
}

void AbruptEndScope::write_out(const PendingOutput& output) noexcept {
  std::atomic_signal_fence(std::memory_order_release);
  state.output.store(&output, std::memory_order_relaxed);
}

bool defer_interrupt_while_writing() noexcept {
  const PendingOutput* output = state.output.load(std::memory_order_relaxed);
  if (output == nullptr || !output->busy.load(std::memory_order_relaxed)) return false;
  state.interrupt_deferred.store(true, std::memory_order_relaxed);
  return true;
}

bool interrupt_deferred() noexcept { return state.interrupt_deferred.load(std::memory_order_relaxed); }

void end_by_interrupt() noexcept {
  // The default action first, and SIGINT unblocked, so that a second interrupt ends the process
  // at once should writing out the output block.
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(SIGINT, &default_action, nullptr);
  sigset_t interrupt;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  sigprocmask(SIG_UNBLOCK, &interrupt, nullptr);
  write_out_pending_output();
  raise(SIGINT);
  _exit(128 + SIGINT);
}

void end_out_of_memory() noexcept {
  write_out_pending_output();
  write_failure_line(state.error_fd, state.program, kOutOfMemory);
  _exit(1);
}

}  // namespace brackwen
