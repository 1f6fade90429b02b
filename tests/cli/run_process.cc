#include "cli/run_process.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace brackwen::testing {
namespace {

void check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// A moment some seconds from now.
class Deadline {
 public:
  explicit Deadline(double seconds)
      : at_(Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds))) {}
  bool passed() const { return Clock::now() >= at_; }
  // The milliseconds left, rounded up, for a wait with poll.
  int left_ms() const {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(at_ - Clock::now()).count();
    return static_cast<int>(left < 0 ? 0 : left + 1);
  }

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point at_;
};

// Reads `fd` into `text` until that holds `length` bytes, `fd` ends or fails, or `seconds` pass.
void read_into(int fd, std::string& text, std::size_t length, double seconds) {
  const Deadline deadline(seconds);
  while (text.size() < length) {
    pollfd ready{fd, POLLIN, 0};
    const int count = poll(&ready, 1, deadline.left_ms());
    if (count == 0) return;
    if (count < 0) {
      check(errno == EINTR, "poll");
      continue;
    }
    char buffer[1 << 16];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return;
    text.append(buffer, static_cast<std::size_t>(n));
  }
}

// The first line of the file at `path`, or nothing when it cannot be read.
std::string first_line(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

// The state letter of process `pid` (such as 'R' running, 'S' asleep, 'Z' ended), or 0 when
// it is gone.
char process_state(pid_t pid) {
  // The state follows the command name, which may hold any character but ends at the last ')'.
  const std::string stat = first_line("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t name_end = stat.rfind(')');
  return name_end == std::string::npos || name_end + 2 >= stat.size() ? 0 : stat[name_end + 2];
}

// Fails at once, with the reason, where a file `path` that watching process `pid` needs could
// not be read, failing with `error`: a wait on it would only run into its time limit. A process
// that has ended takes its files with it.
void require_readable(pid_t pid, const std::string& path, int error) {
  const char state = process_state(pid);
  if (state == 0 || state == 'Z') return;
  throw std::runtime_error("cannot read " + path + " (" + std::strerror(error) +
                           "), which the tests need to watch the program");
}

// The system call that process `pid` is in, as /proc/PID/syscall gives it: its number and
// arguments, or "running"; nothing once the process has ended.
std::optional<std::string> current_call(pid_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/syscall";
  // The kernel checks who may read the file as it is read, not as it is opened.
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  char text[512];
  const ssize_t n = file < 0 ? -1 : read(file, text, sizeof text);
  const int error = errno;
  if (file >= 0) close(file);
  if (n >= 0) return std::string(text, static_cast<std::size_t>(n));
  require_readable(pid, path, error);
  return std::nullopt;
}

// Whether process `pid`, asleep, is in a read or a write of its descriptor `fd`, or in a poll
// of that descriptor alone.
bool in_call_on(pid_t pid, int fd) {
  const std::string proc = "/proc/" + std::to_string(pid) + "/";
  const std::optional<std::string> call = current_call(pid);
  long number = -1;
  unsigned long first = 0, second = 0;
  if (!call || std::sscanf(call->c_str(), "%ld %lx %lx", &number, &first, &second) != 3) return false;
  if (number == SYS_read || number == SYS_write) return first == static_cast<unsigned long>(fd);
#ifdef SYS_poll
  const bool polls = number == SYS_poll || number == SYS_ppoll;
#else
  const bool polls = number == SYS_ppoll;
#endif
  if (!polls || second != 1) return false;
  // The one descriptor polled, read from the process's memory.
  const int memory = open((proc + "mem").c_str(), O_RDONLY | O_CLOEXEC);
  if (memory < 0) return false;
  pollfd polled{};
  const bool read_it = pread(memory, &polled, sizeof polled, static_cast<off_t>(first)) == sizeof polled;
  close(memory);
  return read_it && polled.fd == fd;
}

std::vector<char*> c_strings(const std::vector<std::string>& texts) {
  std::vector<char*> result;
  for (const std::string& t : texts) result.push_back(const_cast<char*>(t.c_str()));
  result.push_back(nullptr);
  return result;
}

// A started child with pipes to its standard input, output (unless redirected) and error.
struct Spawned {
  pid_t pid;
  int in, out, err;
};

Spawned spawn(const Launch& launch) {
  int in[2], out[2], err[2];
  check(pipe2(in, O_CLOEXEC) == 0 && pipe2(out, O_CLOEXEC) == 0 && pipe2(err, O_CLOEXEC) == 0, "pipe");
  std::vector<char*> argv = c_strings(launch.argv);
  std::vector<char*> env = c_strings(launch.env);
  const pid_t pid = fork();
  check(pid >= 0, "fork");
  if (pid == 0) {
    // In the child only calls that are safe after fork: set up the streams, limits and
    // signals, then run the program.
    int input = in[0];
    if (!launch.input_path.empty()) input = open(launch.input_path.c_str(), O_RDONLY);
    if (launch.input_fd >= 0) input = launch.input_fd;
    int output = out[1];
    if (!launch.output_path.empty()) output = open(launch.output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input < 0 || output < 0 || dup2(input, 0) < 0 || dup2(output, 1) < 0 || dup2(err[1], 2) < 0) _exit(126);
    // The child's pipe ends are open files of their own, so the flags set here are its alone.
    if (launch.nonblocking_input && fcntl(0, F_SETFL, fcntl(0, F_GETFL) | O_NONBLOCK) != 0) _exit(126);
    if (launch.nonblocking_output && fcntl(1, F_SETFL, fcntl(1, F_GETFL) | O_NONBLOCK) != 0) _exit(126);
    if (launch.address_space != 0) {
      const rlimit limit{launch.address_space, launch.address_space};
      if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
    }
    signal(SIGPIPE, launch.sigpipe_ignored ? SIG_IGN : SIG_DFL);
    signal(SIGINT, launch.sigint_ignored ? SIG_IGN : SIG_DFL);
    execve(launch.program.c_str(), argv.data(), env.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  // Writing to a child that has gone must fail with EPIPE, not end the test.
  signal(SIGPIPE, SIG_IGN);
  return {pid, in[1], out[0], err[0]};
}

}  // namespace

bool holds_within(double seconds, const std::function<bool()>& holds) {
  const Deadline deadline(seconds);
  while (!holds()) {
    if (deadline.passed()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

RunResult run_process(const Launch& launch) {
  const Spawned child = spawn(launch);
  const pid_t pid = child.pid;

  // Feed the input and collect both outputs at once, so that no pipe fills up and stalls.
  RunResult result;
  std::size_t fed = 0;
  int in_fd = child.in;
  if (launch.input.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  // A write larger than the room in the pipe would wait for the child to read, while the child
  // may be waiting for its output to be read: the writes must not block.
  if (in_fd >= 0) check(fcntl(in_fd, F_SETFL, fcntl(in_fd, F_GETFL) | O_NONBLOCK) == 0, "fcntl");
  int open_outputs = 2;
  pollfd fds[3] = {{child.out, POLLIN, 0}, {child.err, POLLIN, 0}, {in_fd, POLLOUT, 0}};
  while (open_outputs > 0 || in_fd >= 0) {
    fds[2].fd = in_fd;
    check(poll(fds, 3, -1) >= 0 || errno == EINTR, "poll");
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[1 << 16];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_outputs;
      }
    }
    if (in_fd >= 0 && fds[2].revents != 0) {
      const ssize_t n = write(in_fd, launch.input.data() + fed, launch.input.size() - fed);
      if (n > 0) fed += static_cast<std::size_t>(n);
      if ((n < 0 && errno != EAGAIN) || fed == launch.input.size()) {
        close(in_fd);
        in_fd = -1;
      }
    }
  }
  int wait_status = 0;
  check(waitpid(pid, &wait_status, 0) == pid, "waitpid");
  if (WIFEXITED(wait_status)) result.status = WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) result.signal = WTERMSIG(wait_status);
  return result;
}

Child::Child(const std::vector<std::string>& args) : Child(brackwen_launch(args)) {}

Child::Child(const Launch& launch) {
  const Spawned child = spawn(launch);
  pid_ = child.pid;
  in_ = child.in;
  out_ = child.out;
  err_ = child.err;
}

Child::~Child() {
  if (!wait_status_) {
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  for (int fd : {in_, out_, err_}) {
    if (fd >= 0) close(fd);
  }
}

void Child::send(const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = write(in_, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

void Child::close_input() {
  if (in_ >= 0) close(in_);
  in_ = -1;
}

void Child::close_output() {
  if (out_ >= 0) close(out_);
  out_ = -1;
}

const std::string& Child::read_output(std::size_t length, double seconds) {
  read_into(out_, out_text_, length, seconds);
  return out_text_;
}

bool Child::sleeps_on(int fd, double seconds) const {
  bool asleep = false;
  holds_within(seconds, [&] {
    const char state = process_state(pid_);
    asleep = state == 'S' && in_call_on(pid_, fd);
    return asleep || state == 0 || state == 'Z';
  });
  return asleep;
}

bool Child::took_input(double seconds) const {
  // Its own standard input, opened anew, shows what it holds even once the test's end is closed.
  const std::string input = "/proc/" + std::to_string(pid_) + "/fd/0";
  return holds_within(seconds, [this, &input] {
    const int fd = open(input.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
      require_readable(pid_, input, errno);
      return false;
    }
    int held = -1;
    if (ioctl(fd, FIONREAD, &held) != 0) held = -1;
    close(fd);
    return held == 0;
  });
}

bool Child::catches(int signal) const {
  // The set of caught signals, in hexadecimal, one bit for each from the lowest bit up.
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0;
  }
  return false;
}

void Child::kill(int signal) {
  // Once reaped, its process id may belong to another process.
  if (!wait_status_) ::kill(pid_, signal);
}

RunResult Child::wait() {
  close_input();
  for (int* fd : {&out_, &err_}) {
    char buffer[4096];
    ssize_t n;
    while ((n = read(*fd, buffer, sizeof buffer)) > 0) {
      (fd == &out_ ? out_text_ : err_text_).append(buffer, static_cast<std::size_t>(n));
    }
    close(*fd);
    *fd = -1;
  }
  reap(true);
  return result();
}

std::optional<RunResult> Child::wait_within(double seconds) {
  const Deadline deadline(seconds);
  while (out_ >= 0 || err_ >= 0) {
    pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
    const int ready = poll(fds, 2, deadline.left_ms());
    if (ready == 0) return std::nullopt;
    check(ready > 0 || errno == EINTR, "poll");
    for (pollfd& p : fds) {
      if (p.fd < 0 || p.revents == 0) continue;
      char buffer[1 << 16];
      const ssize_t n = read(p.fd, buffer, sizeof buffer);
      if (n > 0) {
        (p.fd == out_ ? out_text_ : err_text_).append(buffer, static_cast<std::size_t>(n));
      } else {
        close(p.fd);
        (p.fd == out_ ? out_ : err_) = -1;
      }
    }
  }
  if (!ended_within(static_cast<double>(deadline.left_ms()) / 1000)) return std::nullopt;
  return result();
}

bool Child::ended_within(double seconds) {
  return holds_within(seconds, [this] { return reap(false); });
}

bool Child::reap(bool block) {
  if (wait_status_) return true;
  int wait_status = 0;
  const pid_t got = waitpid(pid_, &wait_status, block ? 0 : WNOHANG);
  check(got >= 0, "waitpid");
  if (got == 0) return false;
  wait_status_ = wait_status;
  return true;
}

RunResult Child::result() const {
  RunResult result;
  result.out = out_text_;
  result.err = err_text_;
  if (WIFEXITED(*wait_status_)) result.status = WEXITSTATUS(*wait_status_);
  if (WIFSIGNALED(*wait_status_)) result.signal = WTERMSIG(*wait_status_);
  return result;
}

Terminal::Terminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  check(master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0, "posix_openpt");
  char path[128];
  check(ptsname_r(master_, path, sizeof path) == 0, "ptsname_r");
  path_ = path;
  // What is typed is not echoed into what is read here, and line feeds go out as they are.
  termios mode{};
  check(tcgetattr(master_, &mode) == 0, "tcgetattr");
  mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  check(tcsetattr(master_, TCSANOW, &mode) == 0, "tcsetattr");
}

Terminal::~Terminal() { close(); }

void Terminal::send(const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = write(master_, text.data() + done, text.size() - done);
    check(n > 0, "write");
    done += static_cast<std::size_t>(n);
  }
}

void Terminal::send_end_of_file() {
  termios mode{};
  check(tcgetattr(master_, &mode) == 0, "tcgetattr");
  send(std::string(1, static_cast<char>(mode.c_cc[VEOF])));
}

const std::string& Terminal::read(std::size_t length, double seconds) {
  read_into(master_, text_, length, seconds);
  return text_;
}

void Terminal::close() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

std::string brackwen_path() { return BRACKWEN_PATH; }

Launch brackwen_launch(const std::vector<std::string>& args, const std::string& input) {
  Launch launch;
  launch.program = brackwen_path();
  launch.argv = {"brackwen"};
  launch.argv.insert(launch.argv.end(), args.begin(), args.end());
  launch.input = input;
  return launch;
}

RunResult run_brackwen(const std::vector<std::string>& args, const std::string& input) {
  return run_process(brackwen_launch(args, input));
}

}  // namespace brackwen::testing
