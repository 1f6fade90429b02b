// The one-shot handling of the interrupt signal.
#pragma once

namespace brackwen {

// Installs a one-shot SIGINT handler: it writes out the complete part of the output and ends the
// process by SIGINT (`abrupt_end.h`), or leaves the end to a write of the output in flight. A
// further SIGINT takes the default action.
void install_interrupt_handler();

}  // namespace brackwen
