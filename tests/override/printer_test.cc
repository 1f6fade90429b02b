#include "override/printer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "override/lexer.h"
#include "override/ordering.h"
#include "override/reader.h"
#include "override/test_support.h"

namespace tarnwick::override {
namespace {

using testing::dec;
using testing::enc;
using testing::widen;

TEST(ShowOverrideTest, WritesTheExactText) {
  struct Case {
    int precedence;
    Override record;
    std::string rest;
    std::string expected;
  };
  const Case cases[] = {
      {0, enc("0", "255", "3", "8"), "", "Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}"},
      {11, dec("-1", "7", "3", "8"), "", "(Override_dec_int {lb = -1, ub = 7, src_i = 3, length = 8})"},
      {10, enc("0", "255", "3", "8"), "", "Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}"},
      {12, enc("0", "255", "3", "8"), "", "(Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8})"},
      {-1, dec("0", "255", "3", "8"), "", "Override_dec_int {lb = 0, ub = 255, src_i = 3, length = 8}"},
      {-1000, enc("1", "2", "3", "4"), " x", "Override_enc_int {lb = 1, ub = 2, dst_i = 3, length = 4} x"},
      {11, enc("-5", "-6", "-7", "-8"), "", "(Override_enc_int {lb = -5, ub = -6, dst_i = -7, length = -8})"},
      {0, enc("0", "0", "0", "0"), "", "Override_enc_int {lb = 0, ub = 0, dst_i = 0, length = 0}"},
      {11,
       dec("18446744073709551616", "-18446744073709551616", "-9223372036854775808", "123456789012345678901234567890"),
       ",rest",
       "(Override_dec_int {lb = 18446744073709551616, ub = -18446744073709551616, "
       "src_i = -9223372036854775808, length = 123456789012345678901234567890}),rest"},
      {0, enc("0", "255", "3", "8"), ")\n", "Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8})\n"},
      {0, enc("0", "255", "3", "8"), "\xc2\xa0\xe2\x88\x92",
       "Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}\xc2\xa0\xe2\x88\x92"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(show_override(c.precedence, c.record, c.rest), c.expected);
  }
}

TEST(ShowOverrideTest, OverrideToTextIsNeverEnclosed) {
  EXPECT_EQ(override_to_text(dec("-1", "7", "3", "8")), "Override_dec_int {lb = -1, ub = 7, src_i = 3, length = 8}");
  EXPECT_EQ(override_to_text(enc("-1", "7", "3", "8")), "Override_enc_int {lb = -1, ub = 7, dst_i = 3, length = 8}");
}

TEST(ShowOverrideListTest, WritesTheExactText) {
  const std::vector<Override> none;
  const std::vector<Override> one = {enc("0", "255", "3", "8")};
  const std::vector<Override> two = {enc("0", "255", "3", "8"), dec("-1", "7", "3", "8")};
  EXPECT_EQ(show_override_list(none, ""), "[]");
  EXPECT_EQ(show_override_list(none, " x"), "[] x");
  EXPECT_EQ(show_override_list(one, ""), "[Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}]");
  EXPECT_EQ(show_override_list(two, ";"),
            "[Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8},"
            "Override_dec_int {lb = -1, ub = 7, src_i = 3, length = 8}];");
}

TEST(PrinterRoundTripTest, ReadingTheTextGivesAnEqualRecordAndTheRest) {
  std::mt19937_64 rng(20240611);
  const int precedences[] = {-5, 0, 10, 11, 12, 100};
  const std::string rests[] = {"", "  ", ") x", ",Override_enc_int"};
  for (int i = 0; i < 3000; ++i) {
    const Override record = testing::random_override(rng);
    const int precedence = precedences[i % std::size(precedences)];
    const std::string& rest = rests[(i / std::size(precedences)) % std::size(rests)];
    const std::string shown = show_override(precedence, record, rest);
    const std::u32string text = widen(shown);
    const std::optional<OverrideRead> read = read_override(text, precedence);
    ASSERT_TRUE(read.has_value()) << shown;
    ASSERT_TRUE(override_equal(read->value, record)) << shown;
    ASSERT_EQ(read->rest, text.size() - rest.size()) << shown;
    // The text of a record by itself is a whole line, white space around it allowed.
    const std::u32string line = U" \t" + widen(override_to_text(record)) + U" \r";
    const std::optional<OverrideRead> line_read = read_override(line, 0);
    ASSERT_TRUE(line_read.has_value()) << shown;
    ASSERT_TRUE(override_equal(line_read->value, record));
    ASSERT_EQ(skip_white_space(line, line_read->rest), line.size());
  }
}

TEST(PrinterRoundTripTest, ListsReadBackInOrder) {
  std::mt19937_64 rng(7);
  for (int i = 0; i < 300; ++i) {
    std::vector<Override> records;
    const std::size_t count = rng() % 5;
    for (std::size_t j = 0; j < count; ++j) records.push_back(testing::random_override(rng));
    const std::string shown = show_override_list(records, " rest");
    const std::u32string text = widen(shown);
    const std::optional<OverrideListRead> read = read_override_list(text);
    ASSERT_TRUE(read.has_value()) << shown;
    ASSERT_EQ(read->values.size(), records.size()) << shown;
    for (std::size_t j = 0; j < records.size(); ++j) {
      ASSERT_TRUE(override_equal(read->values[j], records[j])) << shown;
    }
    ASSERT_EQ(read->rest, text.size() - 5);
  }
}

}  // namespace
}  // namespace tarnwick::override
