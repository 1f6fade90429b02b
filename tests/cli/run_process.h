// Runs the built program as a child process, with given arguments, input and environment.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brackwen::testing {

// What a finished run of a program left.
struct RunResult {
  std::string out;  // standard output
  std::string err;  // standard error
  int status = -1;  // exit status, or -1 when ended by a signal
  int signal = 0;   // the signal that ended it, or 0
};

// How to start a run.
struct Launch {
  std::string program;            // path of the executable
  std::vector<std::string> argv;  // the whole argument vector, argv[0] included
  std::string input;              // written to standard input, which is then closed
  std::string input_path;         // when set, standard input comes from this file instead of a pipe
  std::string output_path;        // when set, standard output goes to this file instead of a pipe
  std::vector<std::string> env = {"LC_ALL=C.UTF-8"};
  unsigned long address_space = 0;  // when set, the most address space the program may take
  bool sigint_ignored = false;      // starts it with SIGINT ignored, as a shell starts a background job
  bool sigpipe_ignored = false;     // starts it with SIGPIPE ignored
  bool nonblocking_input = false;   // its end of the standard input pipe is in non-blocking mode
  bool nonblocking_output = false;  // its end of the standard output pipe is in non-blocking mode
};

// A running program whose standard input stays open until closed, for tests of what it writes
// while it waits for input.
class Child {
 public:
  // Starts brackwen with `args` after the program name, standard input and output on pipes.
  explicit Child(const std::vector<std::string>& args);
  // Starts `launch` with standard output on a pipe, and standard input on a pipe unless it
  // names an input file; its `input` and `output_path` are not used.
  explicit Child(const Launch& launch);
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child();
  // Writes `text` to its standard input.
  void send(const std::string& text);
  // Closes its standard input.
  void close_input();
  // Closes the reading end of its standard output, as a reader that goes away does.
  void close_output();
  // Reads its standard output until that holds `length` bytes or `seconds` pass; returns all
  // of it read so far.
  const std::string& read_output(std::size_t length, double seconds);
  // Sends it `signal`.
  void kill(int signal);
  // Waits for its end, collecting the rest of both outputs.
  RunResult wait();
  // Collects both outputs until it closes them, leaving its standard input as it is, and waits
  // for its end; nothing when it has not ended within `seconds`.
  std::optional<RunResult> wait_within(double seconds);
  // Waits up to `seconds` for its end without reading its outputs; whether it ended.
  bool ended_within(double seconds);

 private:
  // Reaps it, waiting for its end when `block`; whether it has ended.
  bool reap(bool block);
  // What it left, once reaped.
  RunResult result() const;

  int pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
  std::string out_text_, err_text_;
  std::optional<int> wait_status_;
};

// Runs `launch` to its end and collects what it wrote.
RunResult run_process(const Launch& launch);

// The path of the brackwen executable under test.
std::string brackwen_path();

// How to run brackwen with `args` after the program name and `input` on standard input.
Launch brackwen_launch(const std::vector<std::string>& args, const std::string& input = "");

// Runs brackwen with `args` after the program name and `input` on standard input.
RunResult run_brackwen(const std::vector<std::string>& args, const std::string& input = "");

}  // namespace brackwen::testing
