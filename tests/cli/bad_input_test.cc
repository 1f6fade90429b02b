// Broken and extreme input through the built program: every run ends by itself with the status
// it must have and at most one line on standard error, in bounded memory; a run that does not
// end is left to the test's time-out.
#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "cli/records_file.h"
#include "cli/run_process.h"
#include "cli/script_texts.h"

namespace brackwen::testing {
namespace {

constexpr std::size_t kFiftyMegabytes = 50'000'000;
constexpr std::size_t kMillion = 1'000'000;
// The address space each run may take: generous, as holding one line whole takes a few times
// its size. None under AddressSanitizer, which reserves vast address space of its own.
constexpr rlim_t kAddressSpace = built_with_address_sanitizer() ? RLIM_INFINITY : rlim_t{1} << 30;

// A million decimal digits: a nine, zeros, and a seven.
std::string million_digits() {
  std::string digits(kMillion, '0');
  digits.front() = '9';
  digits.back() = '7';
  return digits;
}

// Runs brackwen 64 32 on `input` within `kAddressSpace` of memory, and collects what it wrote.
RunResult run_bounded(const std::string& input) {
  Launch launch = brackwen_launch({"64", "32"}, input);
  launch.address_space = kAddressSpace == RLIM_INFINITY ? 0 : kAddressSpace;
  return run_process(launch);
}

// `text` for a failure message, cut short.
std::string shortened(const std::string& text) { return text.size() <= 80 ? text : text.substr(0, 80) + "..."; }

// One bad or extreme input and how the run on it must end.
struct Case {
  std::string name;
  std::string input;
  int status;       // the exit status
  std::string err;  // all of standard error
  std::string out;  // all of standard output
};

// Runs each case with 64 and 32 in bounded memory and checks its whole outcome.
void check_cases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult r = run_bounded(c.input);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out.size(), c.out.size());
    EXPECT_TRUE(r.out == c.out) << shortened(r.out);
  }
}

TEST(BadInputTest, ControlAndEncodingFaultsEndTheRunWhereTheyAreRead) {
  const std::string good = kEnc + "\n" + kDec + "\n";
  const std::string three = script_for(good + kNines + "\n");
  const std::string after_one_block = before(three, "print \"XXX 1\";");
  const std::string after_two_blocks = before(three, "print \"XXX 2\";");
  const std::string nul(1, '\0');
  const std::string enc_with_nul = "Override_enc_int {lb = 0," + nul + " ub = 255, dst_i = 3, length = 8}";
  check_cases({
      {"NUL inside a record", good + kNines + "\n" + enc_with_nul + "\n", 1, kNoParse, after_two_blocks},
      {"NUL after a record", good + kNines + "\n" + kEnc + nul + "\n", 1, kNoParse, after_two_blocks},
      {"a line of NULs", good + std::string(1000, '\0') + "\n", 1, kNoParse, after_one_block},
      {"NUL as the only line", nul, 1, kNoParse, kHeader + "print \"XXX 0\";\n"},
      // Invalid UTF-8 in the middle of a later record, and at the very end of the input.
      {"stray byte", good + kNines + "\nOverride_enc_int {lb = 0\x80, ub = 1, dst_i = 2, length = 3}\n", 1, kInvalid,
       after_two_blocks},
      {"overlong form", good + kNines + "\nOverride_enc_int {lb = \xe0\x80\xb0}\n", 1, kInvalid, after_two_blocks},
      {"encoded surrogate", good + kNines + "\n" + kEnc + "\xed\xbf\xbf\n", 1, kInvalid, after_two_blocks},
      {"truncated sequence at the end", good + kNines + "\n" + kEnc + "\xf0\x9f\x98", 1, kInvalid, after_two_blocks},
      // Seeking past the only line decodes it, so it fails before its block, as a later line would.
      {"invalid line as the only line", "\xff\n", 1, kInvalid, kHeader},
      {"only line with a bad byte after the record", kEnc + "\xff\n", 1, kInvalid, kHeader},
      {"only line with a bad first byte", "\xff" + kEnc + "\n", 1, kInvalid, kHeader},
      {"only line with a lone continuation byte", kEnc + "\x80\n", 1, kInvalid, kHeader},
      {"only line with a bad byte and no line feed", kEnc + "\xff", 1, kInvalid, kHeader},
      {"only line with a truncated sequence at the end", kEnc + "\xe2\x80", 1, kInvalid, kHeader},
      // A byte-order mark is no white space, also at the very start of the input.
      {"byte-order mark before the first record", "\xef\xbb\xbf" + good, 1, kNoParse, kHeader},
      {"byte-order mark before a later record", good + "\xef\xbb\xbf" + kNines + "\n", 1, kNoParse, after_one_block},
  });
  // Under the C locale a UTF-8 no-break space is no text either, also on the only line.
  for (const std::string& input : {kEnc + "\xc2\xa0\n", "\xc2\xa0" + kEnc}) {
    Launch launch = brackwen_launch({"64", "32"}, input);
    launch.env = {"LC_ALL=C"};
    const RunResult r = run_process(launch);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, kInvalid);
    EXPECT_EQ(r.out, kHeader);
  }
  // The C library's UTF-8 decodes forms beyond U+10FFFF (up to six bytes) as characters, but
  // no such character exists: they are invalid text too.
  for (const char* beyond : {"\xf4\x90\x80\x80", "\xf8\x88\x80\x80\x80", "\xfc\x84\x80\x80\x80\x80"}) {
    const RunResult r = run_brackwen({"64", "32"}, good + kNines + "\n" + kEnc + std::string(beyond) + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, kInvalid);
    EXPECT_EQ(r.out, after_two_blocks);
  }
}

TEST(BadInputTest, FiftyMegabyteLinesAreReadInBoundedMemory) {
  const std::string good = kEnc + "\n" + kDec + "\n";
  const std::string script = script_for(good);
  // Four runs of blanks of one to three bytes, 50 MB in all, so that characters straddle
  // every read boundary.
  std::string blanks;
  const std::string pattern = " \t\u3000\u00a0\r\v\u2000";
  while (blanks.size() < kFiftyMegabytes / 4) blanks += pattern;
  const std::string spread = "Override_enc_int" + blanks + "{lb =" + blanks + "0, ub = 255, dst_i = 3," + blanks +
                             "length = 8}" + blanks + "\n" + kDec + "\n";
  const std::string junk(kFiftyMegabytes, 'x');
  check_cases({
      {"50 MB of blanks inside a record", spread, 0, "", script},
      {"50 MB of junk as a later line", good + junk + "\n", 1, kNoParse, before(script, "print \"XXX 1\";")},
      {"50 MB of junk as the first line", junk + "\n" + good, 1, kNoParse, kHeader},
      {"a record followed by 50 MB of junk", kEnc + junk.substr(1) + "\n" + kDec + "\n", 1, kNoParse, kHeader},
  });
}

TEST(BadInputTest, AMillionParenthesesOrDigitsAreReadExactly) {
  const std::string open(kMillion, '(');
  const std::string close(kMillion, ')');
  const std::string script = script_for(kEnc + "\n" + kDec + "\n");
  const std::string deep_record = open + kEnc + close + "\n" + kDec + "\n";
  const std::string deep_value =
      "Override_enc_int {lb = " + open + "0" + close + ", ub = 255, dst_i = 3, length = 8}\n" + kDec + "\n";
  check_cases({
      {"record in a million pairs", deep_record, 0, "", script},
      {"value in a million pairs", deep_value, 0, "", script},
      {"record with one ')' missing", open + kEnc + close.substr(1) + "\n" + kDec + "\n", 1, kNoParse, kHeader},
      {"value with one ')' missing",
       "Override_enc_int {lb = " + open + "0" + close.substr(1) + ", ub = 255, dst_i = 3, length = 8}\n", 1, kNoParse,
       kHeader + "print \"XXX 0\";\n"},
      {"record with one ')' too many", open + kEnc + close + ")\n", 1, kNoParse, kHeader + "print \"XXX 0\";\n"},
  });

  const std::string digits = million_digits();
  const RunResult r = run_brackwen({"64", "32"}, "Override_enc_int {lb = -" + digits + ", ub = 0x" +
                                                     std::string(kMillion, 'f') + ", dst_i = 3, length = 8}\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("      (eval_int {{ -" + digits + " : [32] }})\n"), std::string::npos);
  // 16^n - 1 for a million hex digits has 1,204,120 decimal digits, ending in 5 (16^n ends in 6).
  const std::size_t ub_at = r.out.find("(eval_int {{ ", r.out.find(digits) + digits.size());
  ASSERT_NE(ub_at, std::string::npos);
  const std::size_t ub_end = r.out.find(" : [32] }}", ub_at);
  const std::string ub = r.out.substr(ub_at + 13, ub_end - ub_at - 13);
  EXPECT_EQ(ub.size(), 1'204'120u);
  EXPECT_EQ(ub.back(), '5');
  EXPECT_EQ(ub.find_first_not_of("0123456789"), std::string::npos);
}

TEST(BadInputTest, LinesOfRandomBytesFailWithOneLine) {
  const std::string good = kEnc + "\n" + kDec + "\n";
  const std::string after_one_block = before(script_for(good), "print \"XXX 1\";");
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    std::string input = good;
    for (int line = 0; line < 50; ++line) {
      const std::size_t length = rng() % 200;
      for (std::size_t i = 0; i < length; ++i) {
        char byte = static_cast<char>(rng() % 256);
        // Every other seed keeps to ASCII, so that the reader, not the decoder, refuses the line.
        if (seed % 2 == 0) byte = static_cast<char>(byte & 0x7f);
        input.push_back(byte);
      }
      input.push_back('\n');
    }
    const RunResult r = run_brackwen({"64", "32"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.signal, 0);
    if (seed % 2 == 0) {
      EXPECT_EQ(r.err, kNoParse);
    } else {
      EXPECT_TRUE(r.err == kNoParse || r.err == kInvalid) << r.err;
    }
    EXPECT_EQ(r.out, after_one_block);
  }
}

// Whether a run under an address-space cap failed as it started, before it wrote anything: the
// loader could not map the libraries, or the C++ runtime could not set aside its reserve for
// exceptions, so that not even an exception for running out of memory could be thrown. A run
// writes its header before it first reads its input, so a run that wrote nothing had not started.
bool could_not_start(const RunResult& r) {
  if (!r.out.empty()) return false;
  return (r.status == 127 && r.err.find("error while loading shared libraries") != std::string::npos) ||
         (r.signal == SIGABRT && r.err == "terminate called without an active exception\n");
}

// Checks a run under a cap that started: it succeeded with `script`, or ran out of memory with
// one line on standard error after a prefix of `script`. Returns whether it succeeded.
bool check_capped_run(const RunResult& r, const std::string& script) {
  EXPECT_EQ(r.signal, 0) << r.err;
  if (r.status == 0) {
    EXPECT_TRUE(r.out == script);
    return true;
  }
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "brackwen: out of memory\n");
  // What it had produced is written out.
  EXPECT_TRUE(r.out.size() <= script.size() && script.compare(0, r.out.size(), r.out) == 0);
  return false;
}

TEST(BadInputTest, RunningOutOfMemoryAtTheStartIsAFailure) {
  if (built_with_address_sanitizer()) {
    GTEST_SKIP() << "AddressSanitizer reserves vast address space of its own: no cap can be set";
  }
  const std::string script = script_for("");
  // Caps in steps of 128 KB up to the first under which an empty input gives its script.
  int out_of_memory = 0;
  for (rlim_t kilobytes = 32 << 10;; kilobytes += 128) {
    SCOPED_TRACE(std::to_string(kilobytes) + " KB");
    ASSERT_LT(kilobytes, rlim_t{128} << 10) << "an empty input needs no such memory";
    Launch launch = brackwen_launch({"64", "32"});
    launch.address_space = kilobytes << 10;
    const RunResult r = run_process(launch);
    if (could_not_start(r)) continue;
    if (check_capped_run(r, script)) break;
    ++out_of_memory;
  }
  EXPECT_GT(out_of_memory, 0);
}

// A long value and the first line that holds it.
struct LongValue {
  std::string name;
  std::string line;
};

// The name of a long value, for test names and messages.
void PrintTo(const LongValue& value, std::ostream* out) { *out << value.name; }

// Runs on a line with a long value under address-space caps in steps of 2 MB, up to one that
// it needs no more than, so that memory runs out at many points of the run in turn: in C++
// allocations and in GNU MP's, while the value is read and while its text is made.
class OutOfMemoryTest : public ::testing::TestWithParam<LongValue> {};

TEST_P(OutOfMemoryTest, EndsWithTheOutputProducedAndOneLine) {
  if (built_with_address_sanitizer()) {
    GTEST_SKIP() << "AddressSanitizer reserves vast address space of its own: no cap can be set";
  }
  const std::string input = GetParam().line + "\n" + kDec + "\n";
  const std::string script = script_for(input);
  int out_of_memory = 0;
  for (rlim_t megabytes = 32, successes = 0; successes < 2; megabytes += 2) {
    SCOPED_TRACE(std::to_string(megabytes) + " MB");
    ASSERT_LE(megabytes, 256u) << "the value needs no such memory";
    Launch launch = brackwen_launch({"64", "32"}, input);
    launch.address_space = megabytes << 20;
    const RunResult r = run_process(launch);
    if (could_not_start(r)) continue;
    if (check_capped_run(r, script)) {
      ++successes;
    } else {
      ++out_of_memory;
    }
  }
  EXPECT_GT(out_of_memory, 0);
}

INSTANTIATE_TEST_SUITE_P(
    LongValues, OutOfMemoryTest,
    ::testing::Values(LongValue{"FiveMillionDecimalDigits", "Override_enc_int {lb = " + std::string(5 * kMillion, '7') +
                                                                ", ub = 255, dst_i = 3, length = 8}"},
                      LongValue{"TwoMillionHexadecimalDigits", "Override_enc_int {lb = 0x" +
                                                                   std::string(2 * kMillion, 'f') +
                                                                   ", ub = 255, dst_i = 3, length = 8}"},
                      LongValue{"AMillionDigitsOfEach", "Override_enc_int {lb = -" + million_digits() + ", ub = 0x" +
                                                            std::string(kMillion, 'f') + ", dst_i = 3, length = 8}"}),
    [](const ::testing::TestParamInfo<LongValue>& info) { return info.param.name; });

TEST(BadInputTest, AReaderThatClosesThePipeEndsTheRunAtOnce) {
  // 100,000 distinct records: a script of some 70 MB, far more than a pipe holds.
  const RecordsFile records(100'000);
  for (const bool ignore_sigpipe : {false, true}) {
    SCOPED_TRACE(ignore_sigpipe ? "SIGPIPE ignored" : "SIGPIPE default");
    Launch launch = records.launch();
    launch.sigpipe_ignored = ignore_sigpipe;
    Child child(launch);
    EXPECT_EQ(child.read_output(kHeader.size()).substr(0, kHeader.size()), kHeader);
    child.close_output();
    const std::optional<RunResult> r = child.wait_within(kHangSeconds);
    ASSERT_TRUE(r.has_value()) << "still running " << kHangSeconds << " s after its reader went";
    if (ignore_sigpipe) {
      EXPECT_EQ(r->signal, 0);
      EXPECT_EQ(r->status, 1);
      EXPECT_EQ(r->err, "brackwen: standard output: Broken pipe\n");
    } else {
      EXPECT_EQ(r->signal, SIGPIPE) << r->status;
      EXPECT_EQ(r->err, "");
    }
  }
}

}  // namespace
}  // namespace brackwen::testing
