// Input that cannot be decoded, and the locale that decides what can: a run fails where its
// reading first needs an undecodable character, and takes its encoding from LC_CTYPE alone.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cli/run_process.h"
#include "cli/script_texts.h"

namespace brackwen::testing {
namespace {

// A line to read after the lines of `kEnc` and `kDec`, and the failure line it ends the run with.
struct LineCase {
  std::string line;
  std::string err;
};

TEST(UndecodableInputTest, ALineFailsAtWhicheverFaultItsReadingMeetsFirst) {
  const std::string good = kEnc + "\n" + kDec + "\n";
  const std::string after_one_block = before(script_for(good), "print \"XXX 1\";");
  const LineCase cases[] = {
      // In the middle of a lexeme.
      {"Override_enc\xff_int {lb = 0, ub = 1, dst_i = 2, length = 3}", kInvalid},
      {"Override_enc_int {lb = 1\xff"
       "2, ub = 1, dst_i = 2, length = 3}",
       kInvalid},
      // Right after a lexeme, whose end is known only once the next character is.
      {"garbage\xff", kInvalid},
      {"Override_enc_int {lb =\xff", kInvalid},
      {"Override_enc_int {lb = -\xff", kInvalid},
      // After a complete lexeme that may still continue the record, and one that cannot.
      {"Override_enc_int {lb = 0, ub \xff", kInvalid},
      {"Override_enc_int {lb = 0 \xff", kInvalid},
      {"garbage \xff", kNoParse},
      {"Override_enc_int {lb = 0, xb \xff", kNoParse},
      {"Override_enc_int (\xff", kNoParse},
      {"Override_enc_int {lb = 0;\xff", kNoParse},
      // After a complete record: white space up to the fault, or something else before it.
      {kNines + "\xff", kInvalid},
      {kNines + " \t\xff", kInvalid},
      {kNines + " x\xff", kNoParse},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    const RunResult r = run_brackwen({"64", "32"}, good + c.line + "\n" + kEnc + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, after_one_block);
  }
}

TEST(UndecodableInputTest, FindingTheSecondLineNeedsTheFirstWholeAndTheSecondsFirstCharacter) {
  const LineCase cases[] = {
      // The first line is read only after the second is found, which needs its first character.
      {"\n\xff", kInvalid},
      {"garbage\n\xff"
       "Override_enc_int {lb = 0, ub = 1, dst_i = 2, length = 3}\n",
       kInvalid},
      {"garbage\n \xff", kNoParse},
      {"garbage\n\n\xff", kNoParse},
      // Finding the end of the first line needs all of it, even where its reading would stop.
      {"garbage \xff\n" + kEnc + "\n", kInvalid},
      // After an empty later line, which cannot be read, nothing further is looked at.
      {kEnc + "\n\n\xff\n", kNoParse},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    const RunResult r = run_brackwen({"64", "32"}, c.line);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, kHeader);
  }
}

// A line made of the start of a record, then perhaps a lexeme that cannot continue it, then an
// undecodable sequence and more text; and which failure its reading meets first.
struct FaultyLine {
  std::string text;
  bool undecodable_first;
};

// A random faulty line. The start of the record is cut at a lexeme boundary; from there on the
// reading can still succeed, so it needs the next character, unless a lexeme that cannot continue
// the record, complete before the fault, comes first. After a complete record only white space up
// to the fault lets the reading reach it.
FaultyLine random_faulty_line(std::mt19937& random) {
  const std::vector<std::string> record = {"Override_dec_int",
                                           " ",
                                           "{",
                                           "lb",
                                           "=",
                                           " ",
                                           "-",
                                           "7",
                                           ",",
                                           "ub",
                                           "=",
                                           "0x1F",
                                           ",",
                                           "src_i",
                                           " ",
                                           "=",
                                           "(",
                                           "0o7",
                                           ")",
                                           ",",
                                           "length",
                                           "=",
                                           "8",
                                           "}"};
  const std::vector<std::string> blanks = {" ", "\t", "\u00a0", "\u3000"};
  const std::vector<std::string> faults = {"\xff", "\x80", "\xc3", "\xed\xa0\x80", "\xf4\x90\x80\x80"};
  auto pick = [&random](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  const std::size_t cut = std::uniform_int_distribution<std::size_t>(0, record.size())(random);
  FaultyLine line{"", true};
  for (std::size_t i = 0; i < cut; ++i) line.text += record[i];
  const bool whole_record = cut == record.size();
  switch (std::uniform_int_distribution<int>(0, 3)(random)) {
    case 0: break;  // the fault right after the last lexeme, whose end it decides
    case 1: line.text += pick(blanks); break;
    case 2:  // a punctuation lexeme that no place of the record takes here, complete at once
      line.text += pick(blanks) + ";";
      line.undecodable_first = false;
      break;
    case 3: {  // an identifier that no place takes, complete only when followed by white space
      const bool ended = std::bernoulli_distribution(0.5)(random);
      line.text += pick(blanks) + "junk" + (ended ? pick(blanks) : "");
      line.undecodable_first = whole_record ? false : !ended;
      break;
    }
  }
  line.text += pick(faults) + pick({"", "x", " }", ", length = 8}"});
  return line;
}

TEST(UndecodableInputTest, RandomLinesFailWhereAPlainModelOfTheReadingSays) {
  std::mt19937 random(20261210);
  const std::vector<std::string> good = {kEnc, kDec, "Override_enc_int {lb = 1, ub = 2, dst_i = 3, length = 4}",
                                         "Override_dec_int {lb = 5, ub = 6, src_i = 7, length = 8}"};
  std::vector<std::string> scripts;
  std::string lines;
  for (const std::string& line : good) scripts.push_back(script_for(lines += line + "\n"));
  for (int run = 0; run < 60; ++run) {
    const FaultyLine faulty = random_faulty_line(random);
    // With k lines before it, the faulty line is read before block k - 1, or before block 0.
    const std::size_t k = std::uniform_int_distribution<std::size_t>(1, good.size())(random);
    std::string input;
    for (std::size_t i = 0; i < k; ++i) input += good[i] + "\n";
    input += faulty.text + "\n" + kEnc + "\n";
    SCOPED_TRACE(faulty.text);
    const RunResult r = run_brackwen({"64", "32"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, faulty.undecodable_first ? kInvalid : kNoParse);
    EXPECT_EQ(r.out, before(scripts[k - 1], "print \"XXX " + std::to_string(k - 1) + "\";"));
  }
}

TEST(UndecodableInputTest, TheEncodingComesFromLcCtypeAlone) {
  // A no-break space inside a record, and an ideographic space before a buffer size: white
  // space in UTF-8, no text at all in the C locale.
  const std::string input = "Override_enc_int\u00a0{lb = 0, ub = 255, dst_i = 3, length = 8}\n";
  const std::string script = script_for(kEnc + "\n");
  const std::string missing = "xx_XX.UTF-8";  // a locale that no machine has
  const std::vector<std::vector<std::string>> utf8_environments = {
      {"LANG=C.UTF-8", "LC_TIME=" + missing},
      {"LANG=C.UTF-8", "LC_MESSAGES=" + missing, "LC_COLLATE=" + missing},
      {"LANG=C.UTF-8", "LC_NUMERIC=" + missing, "LC_MONETARY=" + missing},
      {"LANG=" + missing, "LC_CTYPE=C.UTF-8"},
  };
  for (const std::vector<std::string>& env : utf8_environments) {
    SCOPED_TRACE(env.back());
    Launch launch = brackwen_launch({"\u300064", "32"}, input);
    launch.env = env;
    const RunResult r = run_process(launch);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, script);
  }
  // When LC_CTYPE names a locale that is missing, the encoding stays the C locale's.
  Launch launch = brackwen_launch({"64", "32"}, input);
  launch.env = {"LANG=C.UTF-8", "LC_CTYPE=" + missing};
  const RunResult r = run_process(launch);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kInvalid);
  EXPECT_EQ(r.out, kHeader);
}

}  // namespace
}  // namespace brackwen::testing
