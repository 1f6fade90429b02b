// The kept overrides and their index by value.
#include "brackwen/override_index.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "override/ordering.h"
#include "override/test_support.h"

namespace brackwen {
namespace {

using tarnwick::override::Override;
using tarnwick::override::override_equal;

// Checks an index against a plain list searched by `override_equal`.
void expect_agrees_with_a_plain_search(std::mt19937_64& rng, Override (*make)(std::mt19937_64&), int count) {
  OverrideIndex index;
  std::vector<Override> plain;
  for (int i = 0; i < count; ++i) {
    const Override o = make(rng);
    bool seen = false;
    for (const Override& kept : plain) seen = seen || override_equal(kept, o);
    if (!seen) plain.push_back(o);
    ASSERT_EQ(index.insert(o), !seen) << i;
  }
  ASSERT_EQ(index.size(), plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i) {
    EXPECT_TRUE(override_equal(index[i], plain[i])) << i;
    EXPECT_EQ(index.is_enc_int(i), tarnwick::override::is_enc_int(plain[i])) << i;
  }
}

TEST(OverrideIndexTest, KeepsExactlyTheFirstOfEqualOverrides) {
  std::mt19937_64 rng(3);
  // Few values: equal overrides and overrides equal up to one field or the variant abound.
  expect_agrees_with_a_plain_search(rng, tarnwick::override::testing::random_override_from_few, 3000);
  // Values of every size and sign.
  expect_agrees_with_a_plain_search(rng, tarnwick::override::testing::random_override, 2000);
}

TEST(OverrideIndexTest, GrowsWithoutLosingAnyOverride) {
  OverrideIndex index;
  const int count = 300000;
  for (int i = 0; i < count; ++i) {
    ASSERT_TRUE(index.insert(tarnwick::override::Override_enc_int(i, -i, i % 7, 0)));
  }
  for (int i = 0; i < count; i += 997) {
    EXPECT_FALSE(index.insert(tarnwick::override::Override_enc_int(i, -i, i % 7, 0))) << i;
    EXPECT_TRUE(index.insert(tarnwick::override::Override_dec_int(i, -i, i % 7, 0))) << i;
  }
  EXPECT_TRUE(override_equal(index[123456], tarnwick::override::Override_enc_int(123456, -123456, 123456 % 7, 0)));
}

}  // namespace
}  // namespace brackwen
