// How an interrupt ends the program wherever it is: soon, by SIGINT, with nothing on standard
// error and only a prefix of the script on standard output.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cli/records_file.h"
#include "cli/run_process.h"
#include "cli/script_texts.h"

namespace brackwen::testing {
namespace {

using Clock = std::chrono::steady_clock;

// How long a run may take to end after an interrupt, in any build: far more than the tens of
// milliseconds it takes with every core busy or under the sanitizers.
constexpr double kLatencyBound = 1.5;

// A moment in a run at which an interrupt comes.
struct Situation {
  std::string name;
  Launch launch;
  std::function<void(Child&)> bring_about;  // brings the started run to that moment
  std::string written_before;               // what it has written by then, at least
  std::string script;                       // the script text that it may have produced by then
  double latency_bound = kLatencyBound;     // the seconds it may take to end after the interrupt
};

// Interrupts a run in each situation, and checks that it ends by SIGINT within the bound,
// having written a prefix of the script and nothing on standard error.
void check_situations(const std::vector<Situation>& situations) {
  for (const Situation& s : situations) {
    SCOPED_TRACE(s.name);
    Child child(s.launch);
    s.bring_about(child);
    const auto sent = Clock::now();
    child.kill(SIGINT);
    const std::optional<RunResult> r = child.wait_within(kHangSeconds);
    const std::chrono::duration<double, std::milli> latency = Clock::now() - sent;
    if (!r) {
      ADD_FAILURE() << "still running " << kHangSeconds << " s after the interrupt";
      continue;
    }
    std::printf("[ latency  ] %s: %.2f ms\n", s.name.c_str(), latency.count());
    EXPECT_EQ(r->signal, SIGINT) << "status " << r->status << ", " << r->err;
    EXPECT_EQ(r->err, "");
    EXPECT_TRUE(r->out.starts_with(s.written_before)) << r->out.substr(0, 200);
    EXPECT_TRUE(s.script.starts_with(r->out)) << r->out.size() << " bytes written, not a prefix of the script";
    EXPECT_LT(latency.count(), s.latency_bound * 1000);
  }
}

// Brings a run to its wait for more input once it has written `written`.
std::function<void(Child&)> waiting_after(const std::string& written) {
  return [written](Child& child) {
    ASSERT_EQ(child.read_output(written.size()), written);
    ASSERT_TRUE(child.sleeps_on(0)) << "not seen waiting for input";
  };
}

TEST(InterruptTest, EndsARunWaitingForInput) {
  Launch ignoring = brackwen_launch({"64", "32"});
  ignoring.sigint_ignored = true;
  Launch nonblocking = brackwen_launch({"64", "32"});
  nonblocking.nonblocking_input = true;
  // With two distinct records block 0 is written while the input stays open.
  const std::string script = script_for(kEnc + "\n" + kDec + "\n");
  const std::string block0 = before(script, "print \"XXX 1\";");
  check_situations({
      {"waiting for input", brackwen_launch({"64", "32"}), waiting_after(kHeader), kHeader, kHeader},
      {"waiting for input on a non-blocking pipe", nonblocking, waiting_after(kHeader), kHeader, kHeader},
      // A shell starts a job in the background with SIGINT ignored; an interrupt sent to the
      // process itself still ends it.
      {"started with SIGINT ignored", ignoring, waiting_after(kHeader), kHeader, kHeader},
      {"waiting for input after a block", brackwen_launch({"64", "32"}),
       [&](Child& child) {
         child.send(kEnc + "\n" + kDec + "\n");
         waiting_after(block0)(child);
       },
       block0, block0},
  });
}

TEST(InterruptTest, EndsARunThatIsReadingAHugeValueOrWriting) {
  // Reading a value of 10,000,000 hexadecimal digits and making its decimal text takes the
  // program seconds: the interrupt comes once it has taken the line in, before any of the text
  // after the value's place in the script is produced.
  const std::string line =
      "Override_enc_int {lb = 0, ub = 0x" + std::string(10'000'000, 'f') + ", dst_i = 3, length = 8}\n";
  const std::string before_value = before(script_for(kEnc + "\n"), "255 : [32] }}));");
  const auto reading = [&line](bool close_input) {
    return [&line, close_input](Child& child) {
      ASSERT_EQ(child.read_output(kHeader.size()), kHeader);
      // With the input left open, a second line lets the program go on without waiting; with
      // the one line alone, the end of the input does.
      child.send(close_input ? line : line + kEnc + "\n");
      ASSERT_TRUE(child.took_input()) << "the input not taken in";
      if (close_input) child.close_input();
    };
  };
  // A run that served the interrupt only once it had read the value would end about as late as
  // one that is not interrupted: the bound is half of that, as this build takes on this machine.
  Child alone(brackwen_launch({"64", "32"}));
  reading(true)(alone);
  const auto taken = Clock::now();
  const std::optional<RunResult> whole = alone.wait_within(kHangSeconds);
  const std::chrono::duration<double> reading_time = Clock::now() - taken;
  ASSERT_TRUE(whole.has_value()) << "still reading the value after " << kHangSeconds << " s";
  ASSERT_EQ(whole->status, 0) << whole->err;
  const double reading_bound = std::min(kLatencyBound, reading_time.count() / 2);
  std::printf("[ latency  ] bound while the value is read: %.2f ms\n", reading_bound * 1000);
  // A line of exactly 32 MiB, sent without its line feed, fills the program's read buffer; the
  // program then moves it to a larger one, which takes some milliseconds, before it reads
  // again. The interrupt comes as it has taken in the last bytes, with no more input to come.
  std::string unfinished = "Override_enc_int {lb = 0, ub = 0x";
  unfinished.resize(std::size_t{32} << 20, 'f');
  const auto between_reads = [&unfinished](Child& child) {
    ASSERT_EQ(child.read_output(kHeader.size()), kHeader);
    child.send(unfinished);
    ASSERT_TRUE(child.took_input()) << "the input not taken in";
  };
  const RecordsFile records(20'000);
  const std::string script = script_for(records.text());
  // Once a megabyte is read the output pipe fills up and the program waits to write more; the
  // rest is read as it ends.
  const auto writing = [](Child& child) { ASSERT_GE(child.read_output(1'000'000).size(), 1'000'000u); };
  check_situations({
      {"reading a huge value, input open", brackwen_launch({"64", "32"}), reading(false), kHeader, before_value,
       reading_bound},
      {"reading a huge value, input closed", brackwen_launch({"64", "32"}), reading(true), kHeader, before_value,
       reading_bound},
      {"between two reads of a long line", brackwen_launch({"64", "32"}), between_reads, kHeader, kHeader},
      {"writing a long script", records.launch(), writing, script.substr(0, 1'000'000), script},
  });
}

TEST(InterruptTest, AnOutputThatIsNotReadEndsAtTheSecondInterrupt) {
  const RecordsFile records(20'000);
  const std::string script = script_for(records.text());
  for (const bool nonblocking : {false, true}) {
    SCOPED_TRACE(nonblocking ? "non-blocking output" : "blocking output");
    Launch launch = records.launch();
    launch.nonblocking_output = nonblocking;
    Child child(launch);
    // Nobody reads the output: the program fills the pipe and waits for room in it.
    ASSERT_TRUE(child.sleeps_on(1)) << "not seen waiting to write";
    child.kill(SIGINT);
    // Its handler is gone, and it waits to write out what it produced before the interrupt,
    // which cannot be.
    ASSERT_TRUE(holds_within(kHangSeconds, [&child] { return !child.catches(SIGINT); })) << "the handler stays";
    ASSERT_TRUE(child.sleeps_on(1)) << "not seen writing out after the interrupt";
    const auto sent = Clock::now();
    child.kill(SIGINT);
    ASSERT_TRUE(child.ended_within(kHangSeconds));
    const std::chrono::duration<double, std::milli> latency = Clock::now() - sent;
    std::printf("[ latency  ] second interrupt, %s: %.2f ms\n", nonblocking ? "non-blocking" : "blocking",
                latency.count());
    EXPECT_LT(latency.count(), kLatencyBound * 1000);
    const RunResult r = child.wait();
    EXPECT_EQ(r.signal, SIGINT);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out.starts_with(kHeader));
    EXPECT_TRUE(script.starts_with(r.out));
  }
}

TEST(InterruptTest, InterruptsAsARunStartsToWaitForInputNeverLeaveItWaiting) {
  // How long a run takes to write its header and start to wait for input.
  const auto start = Clock::now();
  {
    Child child({"64", "32"});
    ASSERT_EQ(child.read_output(kHeader.size()), kHeader);
    ASSERT_TRUE(child.sleeps_on(0));
  }
  const auto to_wait = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
  // Interrupts at random moments up to half as long again: before the handler is installed,
  // while the header is written, and as the read begins. Whenever each comes, the run ends.
  std::mt19937 rng(2024);
  std::uniform_int_distribution<long> delay(0, to_wait * 3 / 2);
  for (int i = 0; i < 100; ++i) {
    const long wait_us = delay(rng);
    SCOPED_TRACE("interrupt after " + std::to_string(wait_us) + " us");
    Child child({"64", "32"});
    std::this_thread::sleep_for(std::chrono::microseconds(wait_us));
    const auto sent = Clock::now();
    child.kill(SIGINT);
    const std::optional<RunResult> r = child.wait_within(kHangSeconds);
    ASSERT_TRUE(r.has_value()) << "still waiting " << kHangSeconds << " s after the interrupt";
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - sent).count(), kLatencyBound);
    EXPECT_EQ(r->signal, SIGINT);
    EXPECT_EQ(r->err, "");
    EXPECT_TRUE(kHeader.starts_with(r->out)) << r->out;
  }
}

}  // namespace
}  // namespace brackwen::testing
