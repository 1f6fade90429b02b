#include "override/reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "override/ordering.h"
#include "override/printer.h"
#include "override/test_support.h"

namespace tarnwick::override {
namespace {

using testing::dec;
using testing::describe;
using testing::enc;

// The record used by most cases: `Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}`.
const std::u32string plain = U"Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}";

// A record text that is read, with the record and the rest it leaves.
struct ReadCase {
  std::u32string text;
  Override expected;
  std::u32string rest;
};

TEST(ReadOverrideTest, ReadsRecordsAndLeavesTheRest) {
  const ReadCase cases[] = {
      {plain, enc("0", "255", "3", "8"), U""},
      {U"Override_dec_int{lb=0,ub=7,src_i=3,length=8}", dec("0", "7", "3", "8"), U""},
      {U"\t\n Override_dec_int\n{\tlb\r=\u00A00 ,ub =7,\u3000src_i= 3,length =8\n}", dec("0", "7", "3", "8"), U""},
      {plain + U"  ", enc("0", "255", "3", "8"), U"  "},
      {plain + U"\r", enc("0", "255", "3", "8"), U"\r"},
      {plain + U" and more", enc("0", "255", "3", "8"), U" and more"},
      {plain + U")", enc("0", "255", "3", "8"), U")"},
      {U" ( ( " + plain + U" ) ) x", enc("0", "255", "3", "8"), U" x"},
      {U"((" + plain + U"))", enc("0", "255", "3", "8"), U""},
      {U"Override_enc_int {lb= -5, ub = -5, dst_i = - 5, length=(-5)}", enc("-5", "-5", "-5", "-5"), U""},
      {U"Override_dec_int {lb = 0x10, ub = 0o20, src_i = (16), length = 0X1f}", dec("16", "16", "16", "31"), U""},
      {U"Override_enc_int {lb = 18446744073709551616, ub = -18446744073709551616, "
       U"dst_i = ((0xFFFFFFFFFFFFFFFFFFFF)), length = -0}",
       enc("18446744073709551616", "-18446744073709551616", "1208925819614629174706175", "0"), U""},
      {U"Override_enc_int {lb = 5, ub = 1, dst_i = 0, length = -1}}", enc("5", "1", "0", "-1"), U"}"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(describe(c.text));
    const std::optional<OverrideRead> read = read_override(c.text, 0);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(override_equal(read->value, c.expected)) << override_to_text(read->value);
    EXPECT_EQ(describe(std::u32string_view(c.text).substr(read->rest)), describe(c.rest));
  }
}

TEST(ReadOverrideTest, RefusesTextsThatAreNoRecord) {
  const std::u32string refused[] = {
      U"",
      U"   ",
      U"Override_enc_int {lb=-5, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {ub = 255, lb = 0, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 0, ub = 255, length = 8}",
      U"Override_enc_int {lb = 0, lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8,}",
      U"Override_enc_int {, lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 0,, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 0 ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {}",
      U"Override_enc_int {0, 255, 3, 8}",
      U"Override_enc_int 0 255 3 8",
      U"Override_enc_int {lb = 0, ub = 255, src_i = 3, length = 8}",
      U"Override_dec_int {lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_intX {lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lbx = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb' = 0, ub = 255, dst_i = 3, length = 8}",
      U"override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {LB = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {(lb) = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {(lb = 0), ub = 255, dst_i = 3, length = 8}",
      U"(Override_enc_int) {lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int ({lb = 0, ub = 255, dst_i = 3, length = 8})",
      U"\"Override_enc_int\" {lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {\"lb\" = 0, ub = 255, dst_i = 3, length = 8}",
      U"Tarnwick.Override.Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8",
      U"Override_enc_int {lb = 0, ub = 255, dst_i = 3, length =",
      U"Override_enc_int {lb = +1, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 1.0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 1e3, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = -(1), ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 0b1, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 1_0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = \u0663, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = \u22121, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb == 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb => 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int\u200B{lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"\uFEFFOverride_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 0,\u0085ub = 255, dst_i = 3, length = 8}",
      U"Override_enc_int {lb = 0,\u2028ub = 255, dst_i = 3, length = 8}",
      U"(" + plain,
      U"((" + plain + U")",
      U"(" + plain + U"]",
      U"()",
      U"[" + plain + U"]",
  };
  for (const std::u32string& text : refused) {
    EXPECT_FALSE(read_override(text, 0).has_value()) << describe(text);
  }
}

TEST(ReadOverrideTest, PrecedenceDecidesWhetherABareRecordIsRead) {
  struct Case {
    int precedence;
    bool bare;  // whether a record without parentheses is read; one in parentheses always is
  };
  const Case cases[] = {
      {-1000, true}, {-1, true}, {0, true}, {10, true}, {11, true}, {12, false}, {13, false}, {1000, false},
  };
  const std::u32string enclosed = U" (" + plain + U") ";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.precedence);
    EXPECT_EQ(read_override(plain, c.precedence).has_value(), c.bare);
    const std::optional<OverrideRead> in_parens = read_override(enclosed, c.precedence);
    ASSERT_TRUE(in_parens.has_value());
    EXPECT_EQ(in_parens->rest, enclosed.size() - 1);
  }
}

TEST(ReadOverrideTest, StartsAtTheGivenIndex) {
  const std::u32string text = U"xx" + plain + U";";
  const std::optional<OverrideRead> read = read_override_at(text, 2, 0);
  ASSERT_TRUE(read.has_value());
  EXPECT_TRUE(override_equal(read->value, enc("0", "255", "3", "8")));
  EXPECT_EQ(read->rest, text.size() - 1);
  EXPECT_FALSE(read_override_at(text, 1, 0).has_value());
}

TEST(ReadOverrideTest, AnyDepthOfParentheses) {
  constexpr std::size_t depth = 1'000'000;
  const std::u32string open(depth, U'(');
  const std::u32string close(depth, U')');
  const std::u32string record = U"Override_dec_int {lb = " + open + U"-1" + close + U", ub = 2, src_i = 3, length = " +
                                open + U"4" + close + U"}";

  const std::u32string balanced = open + record + close + U" rest";
  for (int precedence : {0, 11, 12}) {
    const std::optional<OverrideRead> read = read_override(balanced, precedence);
    ASSERT_TRUE(read.has_value()) << precedence;
    EXPECT_TRUE(override_equal(read->value, dec("-1", "2", "3", "4")));
    EXPECT_EQ(read->rest, balanced.size() - 5);
  }
  EXPECT_FALSE(read_override(open + record + close.substr(1), 0).has_value());
  // One ")" too many: the record is read, and the last ")" is the rest.
  const std::u32string extra = open.substr(1) + record + close;
  const std::optional<OverrideRead> extra_read = read_override(extra, 0);
  ASSERT_TRUE(extra_read.has_value());
  EXPECT_EQ(extra_read->rest, extra.size() - 1);
  const std::u32string unbalanced_value =
      U"Override_dec_int {lb = " + open + U"-1" + close.substr(1) + U", ub = 2, src_i = 3, length = 4}";
  EXPECT_FALSE(read_override(unbalanced_value, 0).has_value());
}

TEST(ReadOverrideListTest, ReadsListsAndLeavesTheRest) {
  const std::u32string second = U"Override_dec_int {lb = -1, ub = 7, src_i = 3, length = 8}";
  struct Case {
    std::u32string text;
    std::vector<Override> expected;
    std::u32string rest;
  };
  const Case cases[] = {
      {U"[]", {}, U""},
      {U" [ \t ] x", {}, U" x"},
      {U"(([]))", {}, U""},
      {U"[" + plain + U"]", {enc("0", "255", "3", "8")}, U""},
      {U"[" + plain + U"," + second + U"] ", {enc("0", "255", "3", "8"), dec("-1", "7", "3", "8")}, U" "},
      {U" ( [ (" + second + U") , ((" + plain + U")) ] ) ,",
       {dec("-1", "7", "3", "8"), enc("0", "255", "3", "8")},
       U" ,"},
      {U"[" + plain + U"]]", {enc("0", "255", "3", "8")}, U"]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.text));
    const std::optional<OverrideListRead> read = read_override_list(c.text);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->values.size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_TRUE(override_equal(read->values[i], c.expected[i])) << i;
    }
    EXPECT_EQ(describe(std::u32string_view(c.text).substr(read->rest)), describe(c.rest));
  }
}

TEST(ReadOverrideListTest, RefusesTextsThatAreNoList) {
  const std::u32string refused[] = {
      U"",
      U"[",
      U"]",
      U"[,]",
      U"[" + plain,
      U"[" + plain + U",]",
      U"[," + plain + U"]",
      U"[" + plain + plain + U"]",
      U"[" + plain + U";" + plain + U"]",
      U"[" + plain + U",," + plain + U"]",
      U"([]",
      U"([" + plain + U"]",
      U"[Override_enc_int {lb = 0, ub = 255, src_i = 3, length = 8}]",
      plain,
      U"{}",
  };
  for (const std::u32string& text : refused) {
    EXPECT_FALSE(read_override_list(text).has_value()) << describe(text);
  }
}

TEST(ReadOverrideListTest, AnyDepthOfParenthesesAroundTheList) {
  constexpr std::size_t depth = 1'000'000;
  const std::u32string open(depth, U'(');
  const std::u32string close(depth, U')');
  const std::u32string text = open + U"[" + open + plain + close + U"]" + close;
  const std::optional<OverrideListRead> read = read_override_list(text);
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->values.size(), 1u);
  EXPECT_TRUE(override_equal(read->values[0], enc("0", "255", "3", "8")));
  EXPECT_EQ(read->rest, text.size());
  EXPECT_FALSE(read_override_list(open + U"[]" + close.substr(1)).has_value());
}

}  // namespace
}  // namespace tarnwick::override
