#include "override/hashing.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "override/ordering.h"
#include "override/reader.h"
#include "override/test_support.h"

namespace tarnwick::override {
namespace {

using testing::enc;

TEST(OverrideHashTest, RecordsReadFromDifferentTextsOfOneValueHashEqual) {
  const std::u32string texts[] = {
      U"Override_dec_int {lb = 16, ub = -18446744073709551616, src_i = 3, length = 8}",
      U"Override_dec_int {lb = 0x10, ub = -0x10000000000000000, src_i = 0o3, length = 08}",
      U"  ((Override_dec_int{lb=0o20,ub=(- 18446744073709551616),src_i=(3),length=0X8}))",
      U"Override_dec_int {lb = (16), ub = - 18446744073709551616, src_i = 003, length = ((8))}",
  };
  const std::optional<OverrideRead> first = read_override(texts[0], 0);
  ASSERT_TRUE(first.has_value());
  for (const std::u32string& text : texts) {
    const std::optional<OverrideRead> read = read_override(text, 0);
    ASSERT_TRUE(read.has_value()) << testing::describe(text);
    EXPECT_TRUE(override_equal(read->value, first->value));
    EXPECT_EQ(override_hash(read->value), override_hash(first->value));
  }
  const std::optional<OverrideRead> other_variant =
      read_override(U"Override_enc_int {lb = 16, ub = -18446744073709551616, dst_i = 3, length = 8}", 0);
  ASSERT_TRUE(other_variant.has_value());
  EXPECT_NE(override_hash(other_variant->value), override_hash(first->value));
}

TEST(OverrideHashTest, LowBitsSpreadRecordsThatDifferInOneField) {
  // Records whose values differ only in high bits, or only by their position, must still
  // spread over the buckets of a power-of-two table.
  constexpr std::size_t buckets = 4096;
  std::set<std::size_t> high_bits, positions;
  for (std::size_t i = 0; i < buckets; ++i) {
    const Integer shifted(static_cast<std::int64_t>(i << 20));
    high_bits.insert(override_hash(Override_enc_int(shifted, 0, 0, 0)) % buckets);
    const Integer v(static_cast<std::int64_t>(i % 64));
    const Integer w(static_cast<std::int64_t>(i / 64));
    positions.insert(override_hash(Override_dec_int(0, v, w, 0)) % buckets);
  }
  // A random function fills about 63% of the buckets; identity-like hashes fill 1 of them.
  EXPECT_GT(high_bits.size(), buckets / 2);
  EXPECT_GT(positions.size(), buckets / 2);
  EXPECT_NE(override_hash(enc("1", "2", "0", "0")), override_hash(enc("2", "1", "0", "0")));
}

}  // namespace
}  // namespace tarnwick::override
