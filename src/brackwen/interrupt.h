// The one-shot handling of the interrupt signal.
#pragma once

namespace brackwen {

// Installs a handler for SIGINT that only records the signal and serves one delivery; it does
// not restart interrupted reads and writes, so a blocked one returns.
void install_interrupt_handler();

// Whether SIGINT has been delivered.
bool interrupt_pending() noexcept;

// Ends the process by SIGINT under its default action.
[[noreturn]] void end_by_interrupt() noexcept;

}  // namespace brackwen
