#include "override/ordering.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "override/hashing.h"
#include "override/reader.h"
#include "override/test_support.h"

namespace tarnwick::override {
namespace {

using testing::dec;
using testing::enc;

// The reverse of a three-way result.
Ordering reversed(Ordering o) {
  if (o == Ordering::kLess) return Ordering::kGreater;
  if (o == Ordering::kGreater) return Ordering::kLess;
  return Ordering::kEqual;
}

// Checks that every operation of the family agrees with `compare_override` on (a, b).
void expect_family_agrees(const Override& a, const Override& b) {
  const Ordering c = compare_override(a, b);
  EXPECT_EQ(compare_override(b, a), reversed(c));
  EXPECT_EQ(override_equal(a, b), c == Ordering::kEqual);
  EXPECT_EQ(override_not_equal(a, b), c != Ordering::kEqual);
  EXPECT_EQ(override_less(a, b), c == Ordering::kLess);
  EXPECT_EQ(override_less_equal(a, b), c != Ordering::kGreater);
  EXPECT_EQ(override_greater(a, b), c == Ordering::kGreater);
  EXPECT_EQ(override_greater_equal(a, b), c != Ordering::kLess);
  EXPECT_EQ(int{override_less(a, b)} + int{override_equal(a, b)} + int{override_greater(a, b)}, 1);
  // The minimum and the maximum are the two arguments, one each; a and b in that order when equal.
  const Override& min = override_min(a, b);
  const Override& max = override_max(a, b);
  EXPECT_EQ(&min, c == Ordering::kGreater ? &b : &a);
  EXPECT_EQ(&max, c == Ordering::kGreater ? &a : &b);
  if (c == Ordering::kEqual) {
    EXPECT_EQ(override_hash(a), override_hash(b));
  }
}

TEST(CompareOverrideTest, OrdersByVariantThenFieldsInOrder) {
  const std::string two64 = "18446744073709551616";
  const std::string two64_plus_1 = "18446744073709551617";
  struct Case {
    Override a;
    Override b;
    Ordering expected;
  };
  const Case cases[] = {
      {enc("0", "255", "3", "8"), enc("0", "255", "3", "8"), Ordering::kEqual},
      {enc("0", "255", "3", "8"), dec("0", "255", "3", "8"), Ordering::kLess},
      {dec("0", "255", "3", "8"), enc("0", "255", "3", "8"), Ordering::kGreater},
      {enc("9", "9", "9", "9"), dec("0", "0", "0", "0"), Ordering::kLess},
      {enc("0", "1000", "0", "0"), enc("1", "0", "0", "0"), Ordering::kLess},
      {dec("5", "1", "9", "9"), dec("5", "2", "0", "0"), Ordering::kLess},
      {dec("5", "2", "1", "9"), dec("5", "2", "0", "100"), Ordering::kGreater},
      {enc("1", "2", "3", "4"), enc("1", "2", "3", "5"), Ordering::kLess},
      {enc("1", "2", "3", "-4"), enc("1", "2", "3", "-5"), Ordering::kGreater},
      {enc("-1", "0", "0", "0"), enc("0", "0", "0", "0"), Ordering::kLess},
      {enc(two64, "0", "0", "0"), enc(two64_plus_1, "0", "0", "0"), Ordering::kLess},
      {enc(two64, "0", "0", "0"), enc(two64, "0", "0", "0"), Ordering::kEqual},
      {enc("-" + two64, "0", "0", "0"), enc("-9223372036854775808", "0", "0", "0"), Ordering::kLess},
      {dec("0", "0", "0", two64), dec("0", "0", "0", "9223372036854775807"), Ordering::kGreater},
      {dec("0", "0", "-" + two64_plus_1, "0"), dec("0", "0", "-" + two64, "0"), Ordering::kLess},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(compare_override(c.a, c.b), c.expected);
    expect_family_agrees(c.a, c.b);
  }
}

TEST(CompareOverrideTest, LawsHoldOverRandomPairs) {
  std::mt19937_64 rng(99);
  for (int i = 0; i < 4000; ++i) {
    // Records from few values, so that equal pairs and pairs equal up to one field are common.
    const Override a = i % 2 ? testing::random_override_from_few(rng) : testing::random_override(rng);
    const Override b = i % 2 ? testing::random_override_from_few(rng) : testing::random_override(rng);
    expect_family_agrees(a, b);
    expect_family_agrees(a, a);
    const Override copy = a;
    expect_family_agrees(a, copy);
    EXPECT_EQ(compare_override(a, copy), Ordering::kEqual);
  }
}

TEST(CompareOverrideTest, OrderIsTransitive) {
  std::mt19937_64 rng(5);
  // The chains a < b < c met, of distinct records, in which the law says the most.
  int strict_chains = 0;
  for (int i = 0; i < 3000; ++i) {
    const Override a = testing::random_override_from_few(rng);
    const Override b = testing::random_override_from_few(rng);
    const Override c = testing::random_override_from_few(rng);
    if (override_less_equal(a, b) && override_less_equal(b, c)) {
      EXPECT_TRUE(override_less_equal(a, c));
      if (override_less(a, b) && override_less(b, c)) {
        EXPECT_TRUE(override_less(a, c));
        ++strict_chains;
      }
    }
  }
  // One triple in six is such a chain, when few are equal.
  EXPECT_GT(strict_chains, 300);
}

}  // namespace
}  // namespace tarnwick::override
