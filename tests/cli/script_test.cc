// Whole scripts from override files, through the built program.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_process.h"
#include "cli/script_texts.h"

namespace brackwen::testing {
namespace {

std::string example_script() {
  std::ifstream file(EXAMPLE_SCRIPT);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string lines(const std::vector<std::string>& records, const std::string& end = "\n") {
  std::string text;
  for (const std::string& r : records) text += r + end;
  return text;
}

void expect_failure(const RunResult& r, const std::string& out, const std::string& message) {
  EXPECT_EQ(r.out, out);
  EXPECT_EQ(r.err, "brackwen: " + message + "\n");
  EXPECT_EQ(r.status, 1);
}

TEST(ScriptTest, WorkedExampleByteForByte) {
  const RunResult r = run_brackwen({"64", "32"}, lines({kEnc, kDec}));
  EXPECT_EQ(r.out, example_script());
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST(ScriptTest, InputsThatDifferOnlyInFormGiveTheSameScript) {
  const std::vector<std::string> inputs = {
      lines({kEnc, kDec}, "\r\n"),
      lines({kEnc, kDec}).substr(0, lines({kEnc, kDec}).size() - 1),  // no final line feed
      lines({"((" + kEnc + "))", " ( " + kDec + " )\t"}),
      lines({"Override_enc_int{lb=0,ub=0xff,dst_i=0o3,length=0X8}",
             "Override_dec_int {lb = (0), ub = 0xFFFF, src_i = ((5)), length = 0o20}"}),
      lines({kEnc, "Override_enc_int {lb = 0x0, ub = 0o377, dst_i = 3, length = 8}", kDec, kEnc, kDec}),
      lines({"\u00a0" + kEnc + "\u3000", kDec}),
  };
  for (const std::string& input : inputs) EXPECT_EQ(script_for(input), example_script()) << input;
  const RunResult r = run_brackwen({" 0x40 ", "((0o40))"}, lines({kEnc, kDec}));
  EXPECT_EQ(r.out, example_script());
}

TEST(ScriptTest, DuplicatesAreDroppedByValueAndUseUpNoIndex) {
  const std::string a = "Override_enc_int {lb = 1, ub = 2, dst_i = 3, length = 4}";
  const std::string a_spaced = "  Override_enc_int{ lb=1 ,ub =  2,dst_i= 3, length =4 }  ";
  const std::string b = "Override_enc_int {lb = 1, ub = 2, dst_i = 3, length = 5}";
  const std::string two_blocks = script_for(lines({a, b}));
  EXPECT_NE(two_blocks.find("print \"XXX 1\";"), std::string::npos);
  EXPECT_EQ(two_blocks.find("print \"XXX 2\";"), std::string::npos);
  EXPECT_EQ(script_for(lines({a, a_spaced, b})), two_blocks);
  EXPECT_EQ(script_for(lines({a, b, a})), two_blocks);
  EXPECT_EQ(script_for(lines({a, b, b, a_spaced, a})), two_blocks);
}

TEST(ScriptTest, EncoderAndDecoderOfTheSameNumbersAreTwoBlocks) {
  const std::string script = script_for(lines({"Override_enc_int {lb = 0, ub = 7, dst_i = 3, length = 8}",
                                               "Override_dec_int {lb = 0, ub = 7, src_i = 3, length = 8}"}));
  const auto args = [](std::vector<int> values, char last) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
      text += "      (eval_int {{ " + std::to_string(values[i]) + " : [32] }})";
      text += i + 1 < values.size() ? "\n" : std::string(")") + last + "\n";
    }
    return text;
  };
  EXPECT_NE(script.find("(big_endian_copy_bits_spec_precise\n" + args({64, 4, 3, 0, 8}, ';')), std::string::npos);
  EXPECT_NE(script.find("(enc_int_spec_precise\n" + args({64, 3, 0, 7}, ';')), std::string::npos);
  EXPECT_NE(script.find("(big_endian_copy_bits_spec_precise\n" + args({4, 32, 0, 3, 8}, ';')), std::string::npos);
  EXPECT_NE(script.find("(dec_int_spec_precise\n" + args({32, 3, 0, 7}, ';')), std::string::npos);
  EXPECT_NE(script.find("  ,enc_int_spec_precise_ov_0\n  ,dec_int_spec_precise_ov_1];\n"), std::string::npos);
}

TEST(ScriptTest, ElevenDistinctOverridesReachIndexTen) {
  std::vector<std::string> records;
  for (int i = 0; i < 11; ++i) {
    records.push_back("Override_dec_int {lb = " + std::to_string(i) + ", ub = 1, src_i = 2, length = 3}");
  }
  const std::string script = script_for(lines(records));
  EXPECT_NE(script.find("\n\nprint \"XXX 10\";\nbig_endian_copy_bits_spec_precise_ov_10 <-\n"), std::string::npos);
  EXPECT_NE(script.find("    [enc_length_int_ov\n    ,big_endian_copy_bits_spec_precise_ov_10]\n"), std::string::npos);
  const std::string tail = "  ,dec_int_spec_precise_ov_9\n  ,dec_int_spec_precise_ov_10];\n";
  EXPECT_EQ(script.substr(script.size() - tail.size()), tail);
  EXPECT_EQ(script.find("copy_bits_spec_precise_ov_0\n  ,"), std::string::npos);  // no copy name in the final list
}

TEST(ScriptTest, ValuesOfAnySizeAreWrittenInFullInDecimal) {
  const std::string big = "18446744073709551616";
  const std::string hundred(100, '7');
  const RunResult r = run_brackwen(
      {hundred, "-1"}, lines({"Override_enc_int {lb = -" + big + ", ub = 0, dst_i = -0, length = 0x10000000000000000}",
                              "Override_dec_int {lb = -5, ub = -0o10, src_i = (- 1), length = " + big + "}"}));
  ASSERT_EQ(r.status, 0) << r.err;
  for (const std::string& line : std::vector<std::string>{
           "      (eval_int {{ " + hundred + " : [32] }})\n", "      (eval_int {{ -" + big + " : [32] }})\n",
           "      (eval_int {{ 0 : [32] }})\n", "      (eval_int {{ " + big + " : [32] }}));\n",
           "      (eval_int {{ -1 : [32] }})\n", "      (eval_int {{ -8 : [32] }}));\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  }
}

TEST(ScriptTest, AnUnreadableLineEndsTheRunWhereItIsRead) {
  const std::string full = example_script();
  const std::string three_blocks = script_for(lines({kEnc, kDec, kNines}));
  struct Case {
    std::string input;
    std::string out;
  };
  const Case cases[] = {
      {"bad\n", kHeader + "print \"XXX 0\";\n"},
      {"\n", kHeader + "print \"XXX 0\";\n"},
      {"\r\n", kHeader + "print \"XXX 0\";\n"},
      {"   ", kHeader + "print \"XXX 0\";\n"},
      {"bad\n" + kEnc + "\n", kHeader},
      {kEnc + "\nbad\n", kHeader},
      {kEnc + "\n\n", kHeader},
      {kEnc + "\n" + kEnc + "\nbad\n" + kDec + "\n", kHeader},
      {lines({kEnc, kDec}) + "bad\n", before(full, "print \"XXX 1\";")},
      {lines({kEnc, kDec, kEnc}) + kEnc + ";\n", before(full, "print \"XXX 1\";")},
      {lines({kEnc, kDec, kNines}) + kDec + " " + kDec + "\n", before(three_blocks, "print \"XXX 2\";")},
      // An unreadable line is read, and fails, even when a later line repeats it.
      {lines({kEnc, kDec, "bad", kEnc, "bad"}), before(full, "print \"XXX 1\";")},
  };
  for (const Case& c : cases) {
    expect_failure(run_brackwen({"64", "32"}, c.input), c.out, "Prelude.read: no parse");
  }
}

TEST(ScriptTest, ABufferSizeIsReadWhereAStatementFirstWritesIt) {
  const std::string full = example_script();
  const std::string dst_cut = before(full, "64 : [32] }})\n      (eval_int {{ 4 ");
  expect_failure(run_brackwen({"sixty-four", "32"}, lines({kEnc, kDec})), dst_cut, "Prelude.read: no parse");
  const std::string src_cut = before(full, "32 : [32] }})\n      (eval_int {{ 0 : [32] }})\n      (eval_int {{ 5");
  expect_failure(run_brackwen({"64", "+32"}, lines({kEnc, kDec})), src_cut, "Prelude.read: no parse");
  expect_failure(run_brackwen({"64", "32.0"}, lines({kEnc, kDec})), src_cut, "Prelude.read: no parse");

  // A size that no statement writes is never read.
  const RunResult decoders_only = run_brackwen({"word", "32"}, lines({kDec}));
  EXPECT_EQ(decoders_only.status, 0);
  EXPECT_EQ(decoders_only.out, script_for(lines({kDec})));
  EXPECT_EQ(run_brackwen({"64", "word"}, lines({kEnc})).status, 0);
  EXPECT_EQ(run_brackwen({"words", "only"}, "").status, 0);
}

TEST(ScriptTest, WhiteSpaceIsExactlyTheListedCharacters) {
  for (const std::string blank : {"\u00a0", "\u3000", "\u2000", "\u205f", "\t", "\v", "\f"}) {
    EXPECT_EQ(script_for(lines({blank + kEnc + blank, kDec})), example_script()) << blank;
  }
  for (const std::string not_blank : {"\u0085", "\u200b", "\ufeff", "\u2028", "\u180e"}) {
    const RunResult r = run_brackwen({"64", "32"}, lines({kEnc, not_blank + kDec}));
    expect_failure(r, kHeader, "Prelude.read: no parse");
  }
}

TEST(ScriptTest, InvalidTextInTheLocaleEncodingFailsWhereItIsRead) {
  const std::string full = example_script();
  const std::string three_blocks = script_for(lines({kEnc, kDec, kNines}));
  for (const std::string bad : {"\xff", "\xc0\xaf", "\xed\xa0\x80", "\xe3\x80"}) {
    const RunResult r = run_brackwen({"64", "32"}, lines({kEnc, kDec, kNines, bad + kEnc}));
    expect_failure(r, before(three_blocks, "print \"XXX 2\";"), "standard input: invalid byte sequence");
  }
  // An argument that is not valid text holds no integer: it fails like any unreadable size.
  const RunResult in_argument = run_brackwen({"6\xff", "32"}, lines({kEnc}));
  expect_failure(in_argument, before(script_for(lines({kEnc})), "64 : [32] }})"), "Prelude.read: no parse");
}

}  // namespace
}  // namespace brackwen::testing
