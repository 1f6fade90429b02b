#include "io/interrupt.h"

#include <csignal>

#include "io/abrupt_end.h"

namespace brackwen {
namespace {

extern "C" void on_interrupt(int) {
  if (!defer_interrupt_while_writing()) end_by_interrupt();
}

}  // namespace

void install_interrupt_handler() {
  struct sigaction action {};
  action.sa_handler = on_interrupt;
  sigemptyset(&action.sa_mask);
  // Reset to the default action on delivery, and not blocked while the handler runs: a second
  // interrupt ends the process even while the handler waits to write out the output. Without
  // SA_RESTART a write in flight returns when the handler does.
  action.sa_flags = SA_RESETHAND | SA_NODEFER;
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace brackwen
