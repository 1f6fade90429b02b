// One run of the tool over given file descriptors: what the process entry does once the
// locale and the interrupt handling are set up.
#pragma once

#include <span>

namespace brackwen {

// The file descriptors a run reads and writes.
struct StandardStreams {
  int input;
  int output;
  int error;
};

// Runs the tool on the argument vector `argv` (the program name first): checks the command
// line and writes the usage text, or writes the script for the input; a failure writes one line
// to the error stream. Returns the exit status.
int run(std::span<const char* const> argv, const StandardStreams& streams);

}  // namespace brackwen
