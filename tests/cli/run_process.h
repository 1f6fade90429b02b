// Runs the built program as a child process, with given arguments, input and environment.
#pragma once

#include <string>
#include <vector>

namespace brackwen::testing {

// What a finished run of a program left.
struct RunResult {
  std::string out;    // standard output
  std::string err;    // standard error
  int status = -1;    // exit status, or -1 when ended by a signal
  int signal = 0;     // the signal that ended it, or 0
};

// How to start a run.
struct RunSpec {
  std::string program;              // path of the executable
  std::vector<std::string> argv;    // the whole argument vector, argv[0] included
  std::string input;                // written to standard input, which is then closed
  std::string output_path;          // when set, standard output goes to this file instead of a pipe
  std::vector<std::string> env = {"LC_ALL=C.UTF-8"};
};

// Runs `spec` to its end and collects what it wrote.
RunResult run_process(const RunSpec& spec);

// The path of the brackwen executable under test.
std::string brackwen_path();

// Runs brackwen with `args` after the program name and `input` on standard input.
RunResult run_brackwen(const std::vector<std::string>& args, const std::string& input = "");

}  // namespace brackwen::testing
