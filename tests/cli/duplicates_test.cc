// Duplicates are dropped by value, never by text: random records written in random forms
// give one block per distinct value, in the order of first appearance.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "cli/run_process.h"
#include "cli/script_texts.h"

namespace brackwen::testing {
namespace {

// Signed and unsigned 128-bit integers, wide enough for every field value used here.
__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 WideUnsigned;

// A record as the test knows it: the variant and the four field values.
struct Record {
  bool enc;
  std::array<Wide, 4> fields;
  bool operator==(const Record&) const = default;
};

// Field values that look alike in some form: 8, 10 and 16 against 0o10 and 0x10, zero and
// minus zero, and values beyond 64 bits.
const Wide kTwoTo64 = static_cast<Wide>(1) << 64;
const std::array<Wide, 9> kValues = {0, 1, -1, 8, 10, 16, 255, kTwoTo64, -kTwoTo64};

// The digits of `magnitude` in `radix`, upper or lower case.
std::string digits(WideUnsigned magnitude, unsigned radix, bool upper) {
  const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), symbols[magnitude % radix]);
    magnitude /= radix;
  } while (magnitude != 0);
  return text;
}

// Some white space, often none, of the characters the reader skips.
std::string blanks(std::mt19937_64& rng) {
  static const std::string kinds[] = {" ", "\t", "\u00a0", "\u3000", "\f", "\v", "\r"};
  std::string text;
  for (std::size_t n = rng() % 4 == 0 ? rng() % 4 : 0; n > 0; --n) text += kinds[rng() % std::size(kinds)];
  return text;
}

// `value` in a random integer form: decimal (with leading zeros), hexadecimal or octal, a
// minus sign with blanks after it, and enclosing parentheses.
std::string integer_form(Wide value, std::mt19937_64& rng) {
  const WideUnsigned magnitude = value < 0 ? -static_cast<WideUnsigned>(value) : value;
  std::string number;
  switch (rng() % 4) {
    case 0: break;
    case 1: number.assign(rng() % 3, '0'); break;
    case 2: number = rng() % 2 ? "0x" : "0X"; break;
    default: number = rng() % 2 ? "0o" : "0O"; break;
  }
  const unsigned radix = number.size() == 2 && number[1] != '0' ? (number[1] == 'x' || number[1] == 'X' ? 16 : 8) : 10;
  number += digits(magnitude, radix, rng() % 2 == 0);
  // "-0" is zero too.
  std::string text;
  if (value < 0 || (value == 0 && rng() % 4 == 0)) text.append("-").append(blanks(rng));
  text += number;
  for (std::size_t depth = rng() % 3 == 0 ? 1 + rng() % 2 : 0; depth > 0; --depth) {
    std::string enclosed = "(";
    enclosed.append(blanks(rng)).append(text).append(blanks(rng)).append(")");
    text = std::move(enclosed);
  }
  return text;
}

// A line holding `record` in a random form.
std::string line_form(const Record& record, std::mt19937_64& rng) {
  const char* names[] = {"lb", "ub", record.enc ? "dst_i" : "src_i", "length"};
  std::string text = blanks(rng) + (record.enc ? "Override_enc_int" : "Override_dec_int") + blanks(rng) + "{";
  for (int i = 0; i < 4; ++i) {
    // A value that begins with "-" needs a blank after "=", or "=-" is one lexeme.
    text += blanks(rng) + names[i] + blanks(rng) + "=" + " " + blanks(rng) + integer_form(record.fields[i], rng);
    text += blanks(rng) + (i < 3 ? "," : "}");
  }
  for (std::size_t depth = rng() % 4 == 0 ? 1 + rng() % 3 : 0; depth > 0; --depth) {
    text = blanks(rng) + "(" + text + blanks(rng) + ")";
  }
  return text + blanks(rng);
}

// The printer's form of `record`, with every value in decimal.
std::string plain_form(const Record& record) {
  const auto decimal = [](Wide v) {
    std::string text = digits(v < 0 ? -static_cast<WideUnsigned>(v) : v, 10, false);
    if (v < 0) text.insert(text.begin(), '-');
    return text;
  };
  return std::string(record.enc ? "Override_enc_int" : "Override_dec_int") + " {lb = " + decimal(record.fields[0]) +
         ", ub = " + decimal(record.fields[1]) + ", " + (record.enc ? "dst_i" : "src_i") + " = " +
         decimal(record.fields[2]) + ", length = " + decimal(record.fields[3]) + "}";
}

// `count` records of random variants with field values from `kValues`.
std::vector<Record> random_records(int count, std::mt19937_64& rng) {
  std::vector<Record> records;
  for (int i = 0; i < count; ++i) {
    Record r{rng() % 2 == 0, {}};
    for (Wide& f : r.fields) f = kValues[rng() % kValues.size()];
    records.push_back(r);
  }
  return records;
}

TEST(DuplicatesTest, RandomFormsGiveOneBlockPerDistinctValueInFirstAppearanceOrder) {
  for (unsigned seed = 1; seed <= 25; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937_64 rng(seed);
    // A small pool, with records that differ in one field or only in their variant.
    std::vector<Record> pool;
    for (int i = 0; i < 6; ++i) {
      Record r{rng() % 2 == 0, {}};
      for (Wide& f : r.fields) f = kValues[rng() % kValues.size()];
      pool.push_back(r);
      Record near = r;
      if (rng() % 2 == 0) {
        near.enc = !near.enc;
      } else {
        near.fields[rng() % 4] = kValues[rng() % kValues.size()];
      }
      pool.push_back(near);
    }
    std::string input;
    std::vector<Record> distinct;
    for (int line = 0; line < 80; ++line) {
      const Record& r = pool[rng() % pool.size()];
      if (std::find(distinct.begin(), distinct.end(), r) == distinct.end()) distinct.push_back(r);
      input += line_form(r, rng) + (rng() % 5 == 0 ? "\r\n" : "\n");
    }
    std::string expected_input;
    for (const Record& r : distinct) expected_input += plain_form(r) + "\n";

    const RunResult got = run_brackwen({"64", "32"}, input);
    const RunResult expected = run_brackwen({"64", "32"}, expected_input);
    ASSERT_EQ(got.status, 0) << got.err << "\n" << input;
    ASSERT_EQ(expected.status, 0) << expected.err;
    EXPECT_NE(expected.out.find("print \"XXX " + std::to_string(distinct.size() - 1) + "\";"), std::string::npos);
    EXPECT_EQ(expected.out.find("print \"XXX " + std::to_string(distinct.size()) + "\";"), std::string::npos);
    EXPECT_EQ(got.out, expected.out) << input;
  }
}

// Long runs of lines in the printer's own form, some ending in blanks, which are read ahead,
// broken by lines in other forms, which are not: the script and the point of failure are those
// of the same records when no line is in that form. A blank before each record keeps every
// line of the reference from the fast reader, so that each is read in its turn by the full one.
TEST(DuplicatesTest, LinesReadAheadGiveTheScriptOfLinesReadOneByOne) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937_64 rng(seed);
    const std::vector<Record> pool = random_records(40, rng);
    const bool fails = seed % 3 == 0;
    std::string input, one_by_one;
    // Some inputs fill several reads, so that lines read ahead meet the end of what is read.
    const int lines = seed % 2 == 0 ? 6000 : 400;
    for (int line = 0; line < lines; ++line) {
      const Record& r = pool[rng() % pool.size()];
      // Runs of about 20 lines in the printer's form between the other ones.
      // Lines in the printer's form end in blanks now and then, as files with CRLF do.
      const char* const endings[] = {"", "", "", " ", "\r", " \t\r", "\f"};
      input += (rng() % 20 == 0 ? line_form(r, rng) + " " : plain_form(r) + endings[rng() % 7]) + "\n";
      one_by_one.append(" ").append(plain_form(r)).append("\n");
    }
    if (fails) {
      input += "Override_enc_int {lb = 0}\n" + plain_form(pool[0]) + "\n";
      one_by_one += "Override_enc_int {lb = 0}\n" + plain_form(pool[0]) + "\n";
    }

    const RunResult got = run_brackwen({"64", "32"}, input);
    const RunResult expected = run_brackwen({"64", "32"}, one_by_one);
    EXPECT_EQ(expected.status, fails ? 1 : 0);
    EXPECT_EQ(expected.err, fails ? kNoParse : std::string());
    EXPECT_NE(expected.out.find("print \"XXX 9\";"), std::string::npos);
    EXPECT_EQ(got.status, expected.status);
    EXPECT_EQ(got.err, expected.err);
    EXPECT_EQ(got.out, expected.out);
  }
}

// Lines in the printer's form arriving in pieces cut anywhere, in the middle of a record, right
// after it or before its line feed: the lines read ahead are only those whole at hand, and the
// script is that of the whole input.
TEST(DuplicatesTest, LinesArrivingInPiecesGiveTheScriptOfTheWholeInput) {
  std::mt19937_64 rng(5);
  const std::vector<Record> pool = random_records(25, rng);
  // Small enough that neither pipe fills while the pieces are sent.
  std::string input;
  for (int line = 0; line < 250; ++line)
    input += plain_form(pool[rng() % pool.size()]) + (line % 9 ? "" : " \r") + "\n";

  Child child({"64", "32"});
  for (std::size_t done = 0; done < input.size();) {
    const std::size_t piece = std::min<std::size_t>(1 + rng() % 120, input.size() - done);
    child.send(input.substr(done, piece));
    done += piece;
    // The program takes in what has come so far, and waits for more, before the next piece.
    ASSERT_TRUE(child.took_input() && child.sleeps_on(0)) << "not seen waiting after " << done << " bytes";
  }
  child.close_input();
  const RunResult got = child.wait();
  const RunResult whole = run_brackwen({"64", "32"}, input);
  ASSERT_EQ(whole.status, 0) << whole.err;
  EXPECT_EQ(got.status, 0) << got.err;
  EXPECT_EQ(got.out, whole.out);
}

}  // namespace
}  // namespace brackwen::testing
