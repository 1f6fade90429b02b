// The fast reader of the printer's own form agrees with the full reader.
#include "override/canonical_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "override/lexer.h"
#include "override/printer.h"
#include "override/reader.h"
#include "override/record_strings.h"
#include "override/test_support.h"

namespace tarnwick::override {
namespace {

using testing::RecordStrings;
using testing::strings_of;
using testing::widen;

// The record that the full reader reads from the whole of `line`, if any.
std::optional<Override> read_fully(std::string_view line) {
  const std::u32string text = widen(line);
  auto read = read_override(text, 0);
  if (!read || skip_white_space(text, read->rest) != text.size()) return std::nullopt;
  return read->value;
}

// The variant of `o` and the decimal texts of its fields.
RecordStrings strings_of(const Override& o) {
  return {is_enc_int(o), {lb(o).to_decimal(), ub(o).to_decimal(), third_field(o).to_decimal(), length(o).to_decimal()}};
}

TEST(CanonicalReaderTest, ReadsThePrintersForm) {
  std::mt19937_64 rng(7);
  for (int i = 0; i < 3000; ++i) {
    const Override o = testing::random_override(rng);
    const std::string line = override_to_text(o) + (rng() % 2 ? "\r" : " \t");
    CanonicalTexts texts;
    ASSERT_TRUE(read_canonical_texts(line, texts)) << line;
    EXPECT_EQ(strings_of(texts), strings_of(o)) << line;
  }
}

TEST(CanonicalReaderTest, LeavesEveryOtherFormToTheFullReader) {
  const std::string declined[] = {
      "Override_enc_int {lb = 0x10, ub = 1, dst_i = 2, length = 3}",
      "Override_enc_int {lb = 1, ub = 1, dst_i = 2, length = 3} ;",
      "Override_enc_int {lb = - 1, ub = 1, dst_i = 2, length = 3}",
      "Override_enc_int {lb = 1, ub = 1, src_i = 2, length = 3}",
      "Override_dec_int {lb = 1, ub = 1, dst_i = 2, length = 3}",
      "Override_enc_int {lb = 1e3, ub = 1, dst_i = 2, length = 3}",
      "Override_enc_int {lb = 1, ub = 1, dst_i = 2, length = 3}\u00a0",
      " Override_enc_int {lb = 1, ub = 1, dst_i = 2, length = 3}",
      "(Override_enc_int {lb = 1, ub = 1, dst_i = 2, length = 3})",
      "Override_enc_int {lb = 1, ub = 1, dst_i = 2, length = 3",
      "Override_enc_int {lb = 1, ub = 1, dst_i = 2, length = }",
      "Override_enc_int {lb = --1, ub = 1, dst_i = 2, length = 3}",
      // Values that are not written as the printer writes them: the full reader reads those.
      "Override_enc_int {lb = 007, ub = 1, dst_i = 2, length = 3}",
      "Override_enc_int {lb = 1, ub = -0, dst_i = 2, length = 3}",
      "Override_enc_int {lb = 1, ub = 1, dst_i = -01, length = 3}",
      "",
  };
  for (const std::string& line : declined) {
    CanonicalTexts texts;
    EXPECT_FALSE(read_canonical_texts(line, texts)) << line;
  }
}

TEST(CanonicalReaderTest, ARecordAtTheStartOfATextIsReadToItsEnd) {
  const std::string record = "Override_dec_int {lb = -1, ub = 20, src_i = 3, length = 456}";
  const struct {
    std::string text;
    std::size_t length;
  } cases[] = {
      {record, record.size()},
      {record + "\nOverride_enc_int {lb = 1, ub = 1, dst_i = 2, length = 3}\n", record.size()},
      {record + " ;", record.size()},
      {record + "7", record.size()},
      {record.substr(0, record.size() - 1), 0},
      {"(" + record + ")", 0},
      {"", 0},
  };
  for (const auto& c : cases) {
    CanonicalTexts texts;
    ASSERT_EQ(read_canonical_record(c.text, texts), c.length) << c.text;
    if (c.length == 0) continue;
    EXPECT_FALSE(texts.encoder);
    EXPECT_EQ(texts.values, (std::array<std::string_view, 4>{"-1", "20", "3", "456"}));
    EXPECT_EQ(texts.values[0].data(), c.text.data() + 23);
  }
}

TEST(CanonicalReaderTest, DigitRunsEndAtTheFirstByteThatIsNoDigit) {
  // Runs of every length around the words the reader scans, ended by every byte.
  for (std::size_t run = 1; run <= 19; ++run) {
    for (int byte = 0; byte < 256; ++byte) {
      const std::string digits = std::string(run - 1, '7') + "1";
      const std::string line = "Override_enc_int {lb = 1, ub = " + digits + static_cast<char>(byte) +
                               ", dst_i = 2, length = " + digits + static_cast<char>(byte) + "}";
      CanonicalTexts texts;
      const bool digit = byte >= '0' && byte <= '9';
      ASSERT_EQ(read_canonical_texts(line, texts), digit) << run << " " << byte;
      if (digit) {
        EXPECT_EQ(texts.values[1], digits + static_cast<char>(byte));
        EXPECT_EQ(texts.values[3], digits + static_cast<char>(byte));
      }
    }
  }
}

TEST(CanonicalReaderTest, AcceptsOnlyWhatTheFullReaderReadsTheSame) {
  // Mutations of a canonical line: whatever the fast reader takes, the full reader reads into a
  // record whose decimal texts are the ones the fast reader gave.
  std::mt19937_64 rng(11);
  const std::string base = "Override_dec_int {lb = -12, ub = 345, src_i = 123456789012345678901, length = 78}  ";
  const std::string alphabet = "0123456789-+ ,={}()x\t\rlbusrc_idte";
  int accepted = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string line = base;
    for (int edits = 1 + static_cast<int>(rng() % 3); edits > 0; --edits) {
      const std::size_t at = rng() % (line.size() + 1);
      switch (rng() % 3) {
        case 0: line.insert(at, 1, alphabet[rng() % alphabet.size()]); break;
        case 1:
          if (at < line.size()) line.erase(at, 1);
          break;
        default:
          if (at < line.size()) line[at] = alphabet[rng() % alphabet.size()];
          break;
      }
    }
    CanonicalTexts fast;
    if (!read_canonical_texts(line, fast)) continue;
    ++accepted;
    const std::optional<Override> full = read_fully(line);
    ASSERT_TRUE(full.has_value()) << line;
    EXPECT_EQ(strings_of(fast), strings_of(*full)) << line;
  }
  EXPECT_GT(accepted, 100);  // the mutations do reach lines the fast reader takes
}

}  // namespace
}  // namespace tarnwick::override
