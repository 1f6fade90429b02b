// Runs the built program as a child process, with given arguments, input and environment.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brackwen::testing {

// Whether AddressSanitizer checks this build: GCC tells by defining __SANITIZE_ADDRESS__, clang
// by its feature test.
constexpr bool built_with_address_sanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#else
  return false;
#endif
#else
  return false;
#endif
}

// How many times longer than an optimised build this build may take for the same run: a debug
// build is not optimised, and the sanitizers check every access besides.
constexpr double build_slowdown() {
  if (built_with_address_sanitizer()) return 8;
#if !defined(NDEBUG)
  return 3;
#else
  return 1;
#endif
}

// How long a test waits for a run to reach a state or to end before it takes the run to hang:
// ample with every core busy.
inline constexpr double kHangSeconds = 30 * build_slowdown();

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
  int input_fd = -1;              // when set, standard input is this descriptor, which stays the caller's
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
  // Starts `launch` with standard input and output on pipes unless it names files for them; its
  // `input` is not used.
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
  const std::string& read_output(std::size_t length, double seconds = kHangSeconds);
  // Waits up to `seconds` until it is seen asleep in a read or a write of its descriptor `fd`,
  // or in a poll of that descriptor alone; whether it was. Safe beside the other calls. Throws
  // at once where /proc/PID/syscall, which tells this, cannot be read.
  bool sleeps_on(int fd, double seconds = kHangSeconds) const;
  // Waits up to `seconds` until its standard input, a pipe or a terminal, holds nothing: all
  // that was sent is taken in. Whether it was. Safe beside the other calls. Throws at once
  // where /proc/PID/fd/0, which tells this, cannot be opened.
  bool took_input(double seconds = kHangSeconds) const;
  // Whether it still has a handler of its own for `signal`.
  bool catches(int signal) const;
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

// A pseudo-terminal whose other end a test holds: what a run writes to the terminal is read
// here, and what is sent here is typed on it, line by line, with no echo.
class Terminal {
 public:
  Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  ~Terminal();
  // The path of the terminal, for a run to open as its standard input or output.
  const std::string& path() const { return path_; }
  // Types `text` on it.
  void send(const std::string& text);
  // Types the end-of-file character, which ends the input at the start of a line.
  void send_end_of_file();
  // Reads what was written to it until that holds `length` bytes or `seconds` pass; returns
  // all of it read so far.
  const std::string& read(std::size_t length, double seconds = kHangSeconds);
  // Closes the test's end, as a terminal that goes away does.
  void close();

 private:
  int master_ = -1;
  std::string path_;
  std::string text_;
};

// Checks `holds` every millisecond until it holds or `seconds` pass; whether it held.
bool holds_within(double seconds, const std::function<bool()>& holds);

// Runs `launch` to its end and collects what it wrote.
RunResult run_process(const Launch& launch);

// The path of the brackwen executable under test.
std::string brackwen_path();

// How to run brackwen with `args` after the program name and `input` on standard input.
Launch brackwen_launch(const std::vector<std::string>& args, const std::string& input = "");

// Runs brackwen with `args` after the program name and `input` on standard input.
RunResult run_brackwen(const std::vector<std::string>& args, const std::string& input = "");

}  // namespace brackwen::testing
