// What the program has written out whenever it waits for input, on pipes and on a terminal, and
// how a run ends whose read of its input fails.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include <sys/socket.h>
#include <unistd.h>

#include "cli/run_process.h"
#include "cli/script_texts.h"

namespace brackwen::testing {
namespace {

// The script of the three records, which the tests below feed one line at a time.
std::string three_record_script() { return script_for(kEnc + "\n" + kDec + "\n" + kNines + "\n"); }

// Feeds the three records one line at a time through `send`, and checks that whenever the run
// waits for more input, what `read` finds written out holds everything produced by then and no
// more: the header before any input, then each block once the next distinct record is read.
void check_output_at_each_wait(const Child& child, const std::function<void(const std::string&)>& send,
                               const std::function<const std::string&(std::size_t)>& read) {
  const std::string script = three_record_script();
  const std::pair<std::string, std::string> steps[] = {
      {"", kHeader},
      {kEnc + "\n", kHeader},
      {kDec + "\n", before(script, "print \"XXX 1\";")},
      {kNines + "\n", before(script, "print \"XXX 2\";")},
  };
  for (const auto& [line, produced] : steps) {
    SCOPED_TRACE("after " + line);
    send(line);
    ASSERT_TRUE(child.took_input() && child.sleeps_on(0)) << "not seen waiting for more input";
    // As it waits, it writes nothing more: all it produced must come now.
    ASSERT_EQ(read(produced.size()), produced);
  }
}

TEST(StreamingTest, EverythingProducedIsWrittenOutBeforeTheProgramWaitsForInput) {
  // On a terminal, where the output is line-buffered, as on pipes, where it is not.
  for (const bool on_terminal : {false, true}) {
    SCOPED_TRACE(on_terminal ? "a terminal" : "pipes");
    Terminal terminal;
    Launch launch = brackwen_launch({"64", "32"});
    if (on_terminal) launch.input_path = launch.output_path = terminal.path();
    Child child(launch);
    const auto send = [&](const std::string& text) { on_terminal ? terminal.send(text) : child.send(text); };
    const auto read = [&](std::size_t length) -> const std::string& {
      return on_terminal ? terminal.read(length) : child.read_output(length);
    };
    check_output_at_each_wait(child, send, read);
    if (on_terminal) {
      terminal.send_end_of_file();
    } else {
      child.close_input();
    }
    const std::optional<RunResult> r = child.wait_within(kHangSeconds);
    ASSERT_TRUE(r.has_value()) << "still running after its input ended";
    EXPECT_EQ(r->status, 0);
    EXPECT_EQ(r->err, "");
    EXPECT_EQ(on_terminal ? terminal.read(three_record_script().size() + 1) : r->out, three_record_script());
  }
}

TEST(StreamingTest, AFailingReadOfTheInputEndsTheRunWithOneLineAndKeepsTheScriptWritten) {
  // The input is a socket whose other end is closed with data that it never read: once the run
  // has read the records sent before, its next read fails with ECONNRESET, whenever the run
  // gets there. (A terminal whose other end closes gives either EIO or the end of the input,
  // by a race in the kernel.)
  int ends[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
  const int test_end = ends[0], run_end = ends[1];
  ASSERT_EQ(write(run_end, "?", 1), 1);  // for the test's end to hold unread when it closes
  Launch launch = brackwen_launch({"64", "32"});
  launch.input_fd = run_end;
  Child child(launch);
  close(run_end);
  const std::string records = kEnc + "\n" + kDec + "\n" + kNines + "\n";
  ASSERT_EQ(write(test_end, records.data(), records.size()), static_cast<ssize_t>(records.size()));
  close(test_end);
  const std::optional<RunResult> r = child.wait_within(kHangSeconds);
  ASSERT_TRUE(r.has_value()) << "still running after its input failed";
  EXPECT_EQ(r->signal, 0);
  EXPECT_EQ(r->status, 1);
  EXPECT_EQ(r->err, "brackwen: standard input: Connection reset by peer\n");
  EXPECT_EQ(r->out, before(three_record_script(), "print \"XXX 2\";"));
}

TEST(StreamingTest, NonBlockingStreamsAreWaitedOnAndLoseNothing) {
  // Some 6.6 MB of script: the output pipe fills up many times over.
  std::string input;
  for (int i = 0; i < 10'000; ++i) {
    input += "Override_enc_int {lb = " + std::to_string(i) + ", ub = 255, dst_i = 3, length = 8}\n";
  }
  const std::string script = script_for(input);
  for (const auto& [nonblocking_input, nonblocking_output] : {std::pair{true, false}, {false, true}, {true, true}}) {
    SCOPED_TRACE(std::string(nonblocking_input ? "input" : "") + (nonblocking_output ? " output" : ""));
    Launch launch = brackwen_launch({"64", "32"});
    launch.nonblocking_input = nonblocking_input;
    launch.nonblocking_output = nonblocking_output;
    Child child(launch);
    // Once the header is out the program finds its input empty; the input then comes in two
    // parts, the second once the program is seen waiting after the first.
    ASSERT_EQ(child.read_output(kHeader.size()), kHeader);
    bool waited = false;
    std::thread feeder([&child, &input, &waited] {
      child.send(input.substr(0, input.size() / 2));
      waited = child.took_input() && child.sleeps_on(0);
      child.send(input.substr(input.size() / 2));
      child.close_input();
    });
    const std::optional<RunResult> r = child.wait_within(kHangSeconds);
    feeder.join();
    EXPECT_TRUE(waited) << "not seen waiting for the second part";
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->status, 0);
    EXPECT_EQ(r->err, "");
    EXPECT_EQ(r->out.size(), script.size());
    EXPECT_TRUE(r->out == script);
  }
}

}  // namespace
}  // namespace brackwen::testing
