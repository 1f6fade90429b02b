#include "brackwen/interrupt.h"

#include <csignal>
#include <cstdlib>

#include <unistd.h>

namespace brackwen {
namespace {

// Set by the handler; a signal handler can reach nothing but such a flag.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void record_interrupt(int) { interrupted = 1; }

}  // namespace

void install_interrupt_handler() {
  struct sigaction action {};
  action.sa_handler = record_interrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
}

bool interrupt_pending() noexcept { return interrupted != 0; }

void end_by_interrupt() noexcept {
  std::signal(SIGINT, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
  std::raise(SIGINT);
  _exit(128 + SIGINT);
}

}  // namespace brackwen
