// The one-shot handling of the interrupt signal.
#pragma once

namespace brackwen {

// Installs a handler for SIGINT that serves one delivery: it ends the process by SIGINT at once,
// wherever the run is, after writing out the complete part of the output (`abrupt_end.h`); when
// a write of that output is in flight it leaves the end to the write, which returns early. A
// further SIGINT takes the default action at once.
void install_interrupt_handler();

}  // namespace brackwen
