#include "override/integer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tarnwick::override {
namespace {

TEST(IntegerTest, FromDigitsReadsEveryBaseExactly) {
  struct Case {
    std::string digits;
    int base;
    std::string decimal;
  };
  const Case cases[] = {
      {"0", 10, "0"},
      {"000", 10, "0"},
      {"007", 10, "7"},
      {"1f", 16, "31"},
      {"1F", 16, "31"},
      {"17", 8, "15"},
      {"9223372036854775807", 10, "9223372036854775807"},
      {"9223372036854775808", 10, "9223372036854775808"},
      {"18446744073709551616", 10, "18446744073709551616"},
      {"ffffffffffffffffffff", 16, "1208925819614629174706175"},
      {"0000000000000000000000000000012", 10, "12"},
      {"123456789012345678901234567890", 10, "123456789012345678901234567890"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Integer::from_digits(c.digits, c.base).to_decimal(), c.decimal) << c.digits;
  }
}

// Equality looks at the forms before the values: an integer held in the library never equals
// one held inline. So an integer equal to one made from a 64-bit value is held inline, as the
// canonical form asks of every value in that range.

TEST(IntegerTest, FormIsCanonicalAtTheEdgesOfTheInlineRange) {
  const Integer max = std::numeric_limits<std::int64_t>::max();
  const Integer min = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(min.negated().to_decimal(), "9223372036854775808");
  EXPECT_EQ(min.negated().negated(), min);
  EXPECT_EQ(max.negated().negated(), max);
  EXPECT_EQ(Integer(mpz_class("-9223372036854775808")), min);
  EXPECT_EQ(Integer(mpz_class("9223372036854775807")), max);
}

TEST(IntegerTest, ConversionsWithTheLibraryKeepAllSixtyFourBits) {
  // Values past 32 bits too, where a conversion through a 32-bit `long` would lose bits.
  struct Case {
    const char* decimal;
    bool small;  // whether the value lies in the 64-bit range
  };
  const Case cases[] = {
      {"0", true},
      {"-1", true},
      {"2147483647", true},
      {"2147483648", true},
      {"-2147483649", true},
      {"4294967296", true},
      {"-4294967297", true},
      {"1234567890123456789", true},
      {"9223372036854775807", true},
      {"-9223372036854775807", true},
      {"-9223372036854775808", true},
      {"9223372036854775808", false},
      {"-9223372036854775809", false},
      {"-9223372036854775810", false},
      {"18446744073709551616", false},
      {"-18446744073709551615", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.decimal);
    const mpz_class value(c.decimal);
    const Integer converted(value);
    if (c.small) {
      EXPECT_EQ(converted, Integer(static_cast<std::int64_t>(std::stoll(c.decimal))));
    }
    EXPECT_EQ(converted.to_decimal(), c.decimal);
    EXPECT_EQ(converted.to_mpz(), value);
    // The same value read from its digits has the same form, so it compares and hashes equal.
    const bool negative = c.decimal[0] == '-';
    const Integer magnitude = Integer::from_digits(c.decimal + (negative ? 1 : 0), 10);
    const Integer read = negative ? magnitude.negated() : magnitude;
    EXPECT_EQ(read, converted);
    EXPECT_EQ(read.hash(), converted.hash());
    EXPECT_EQ(read.to_mpz(), value);
  }
}

TEST(IntegerTest, OrderIsExactAcrossForms) {
  const Integer two64 = Integer::from_digits("18446744073709551616", 10);
  const Integer two64_plus_1 = Integer::from_digits("18446744073709551617", 10);
  const Integer minus_two64 = two64.negated();
  const Integer values[] = {minus_two64, std::numeric_limits<std::int64_t>::min(), -1,    0,
                            1,           std::numeric_limits<std::int64_t>::max(), two64, two64_plus_1};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    for (std::size_t j = 0; j < std::size(values); ++j) {
      EXPECT_EQ(values[i] <=> values[j], i <=> j) << i << " " << j;
      EXPECT_EQ(values[i] == values[j], i == j) << i << " " << j;
    }
  }
  EXPECT_EQ(Integer(two64).hash(), two64.hash());
  EXPECT_EQ(minus_two64.to_decimal(), "-18446744073709551616");
}

}  // namespace
}  // namespace tarnwick::override
