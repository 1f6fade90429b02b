// The kept overrides and their index by value.
#include "input/override_index.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "override/ordering.h"
#include "override/test_support.h"
#include "support/padded_text.h"

namespace brackwen {
namespace {

using tarnwick::override::Override;
using tarnwick::override::override_equal;

// The texts of an override, each padded with `padding`, held for as long as they are used.
class Texts {
 public:
  Texts(bool encoder, std::array<std::string, 4> fields, char padding = '#')
      : encoder_(encoder), fields_(std::move(fields)) {
    for (std::string& field : fields_) field.append(kTextPadding, padding);
  }
  // The texts of `o` as the script writes it.
  explicit Texts(const Override& o) : Texts(tarnwick::override::is_enc_int(o), decimal_fields(o)) {}
  OverrideText text() const { return {encoder_, {field(0), field(1), field(2), field(3)}}; }

 private:
  static std::array<std::string, 4> decimal_fields(const Override& o) {
    const auto* e = std::get_if<tarnwick::override::Override_enc_int>(&o);
    const auto* d = std::get_if<tarnwick::override::Override_dec_int>(&o);
    return {tarnwick::override::lb(o).to_decimal(), tarnwick::override::ub(o).to_decimal(),
            e != nullptr ? e->dst_i().to_decimal() : d->src_i().to_decimal(),
            tarnwick::override::length(o).to_decimal()};
  }
  PaddedText field(std::size_t i) const { return PaddedText::within(fields_[i], 0, fields_[i].size() - kTextPadding); }

  bool encoder_;
  std::array<std::string, 4> fields_;
};

bool same(const OverrideText& a, const OverrideText& b) { return a.encoder == b.encoder && a.values == b.values; }

// Keeps `o` in `index` as the pipeline does, with the hash that `prepare` gives; true when kept.
bool keep(OverrideIndex& index, const OverrideText& o) { return index.insert(o, index.prepare(o)); }

// Checks an index against a plain list searched by `override_equal`.
void expect_agrees_with_a_plain_search(std::mt19937_64& rng, Override (*make)(std::mt19937_64&), int count) {
  OverrideIndex index(0);
  std::vector<Override> plain;
  for (int i = 0; i < count; ++i) {
    const Override o = make(rng);
    bool seen = false;
    for (const Override& kept : plain) seen = seen || override_equal(kept, o);
    if (!seen) plain.push_back(o);
    ASSERT_EQ(keep(index, Texts(o).text()), !seen) << i;
  }
  // Nothing was kept but the distinct overrides: the next one kept comes right after them.
  const Texts fresh(true, {"-1", "2", "3", "123456789012345678901234567890"});
  ASSERT_TRUE(keep(index, fresh.text()));
  EXPECT_TRUE(same(index[plain.size()], fresh.text()));
  for (std::size_t i = 0; i < plain.size(); ++i) {
    EXPECT_TRUE(same(index[i], Texts(plain[i]).text())) << i;
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

TEST(OverrideIndexTest, GrowsWithoutLosingOrMovingAnyOverride) {
  OverrideIndex index(0);
  const int count = 300000;
  const auto enc = [](int i) { return Texts(tarnwick::override::Override_enc_int(i, -i, i % 7, 0)); };
  ASSERT_TRUE(keep(index, enc(0).text()));
  const OverrideText first = index[0];
  for (int i = 1; i < count; ++i) ASSERT_TRUE(keep(index, enc(i).text()));
  for (int i = 0; i < count; i += 997) {
    EXPECT_FALSE(keep(index, enc(i).text())) << i;
    EXPECT_TRUE(keep(index, Texts(tarnwick::override::Override_dec_int(i, -i, i % 7, 0)).text())) << i;
  }
  EXPECT_TRUE(same(index[123456], enc(123456).text()));
  // The texts of the first override still point at its stored form.
  EXPECT_TRUE(same(first, enc(0).text()));
  EXPECT_EQ(first.values[1].data(), index[0].values[1].data());
}

// The `n`-digit text 1234567890123...
std::string digits(std::size_t n) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text.push_back(static_cast<char>('0' + (i + 1) % 10));
  return text;
}

TEST(OverrideIndexTest, HashDependsOnTheSeedAndOnNothingPastTheTexts) {
  // Field texts of every length that the hash reads in its own way: empty, up to 3, 4 to 7,
  // 8 to 16, and over 16 with one, two and many blocks of 16 before the last 16 bytes.
  for (const std::size_t n : {0, 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 32, 33, 48, 100, 1000}) {
    const std::array<std::string, 4> fields = {digits(n), digits((n * 7 + 3) % 40),
                                               std::string(1, '-').append(digits(n % 5 + 1)), digits(n / 3)};
    for (const bool encoder : {true, false}) {
      // The same texts followed by other bytes, which could pass for more digits.
      const Texts texts(encoder, fields, '#'), padded_otherwise(encoder, fields, '9');
      OverrideIndex index(1), same_seed(1), other_seed(2);
      const std::uint32_t hash = index.prepare(texts.text());
      EXPECT_EQ(same_seed.prepare(texts.text()), hash) << n;
      EXPECT_EQ(index.prepare(padded_otherwise.text()), hash) << n;
      EXPECT_NE(other_seed.prepare(texts.text()), hash) << n;
      ASSERT_TRUE(keep(index, texts.text())) << n;
      EXPECT_FALSE(keep(index, padded_otherwise.text())) << n;
    }
  }
}

TEST(OverrideIndexTest, LongTextsWhoseBytesOffsetTheirLengthsDiffer) {
  // Two texts of lengths n and n + 1, with the same number of 16-byte blocks before their last
  // 16 bytes, whose ninth bytes differ by the xor of their lengths and which are alike
  // elsewhere: a fold of the blocks that starts from the length as it is gives both the same.
  for (const std::size_t n : {24, 30, 33, 70}) {
    std::string longer(n + 1, '5');
    longer[8] = static_cast<char>('5' ^ n ^ (n + 1));
    const Texts a(true, {std::string(n, '5'), "1", "2", "3"}), b(true, {longer, "1", "2", "3"});
    for (const std::uint64_t seed : {0, 1, 2}) {
      OverrideIndex index(seed);
      EXPECT_NE(index.prepare(a.text()), index.prepare(b.text())) << n << " " << seed;
    }
  }
}

// Changes of the digits of four 8-digit fields, digit j of field f at [f][j], that leave
// `linear_hash` unchanged, and so do their sums; found by lattice reduction.
constexpr std::int8_t kCancellingChanges[16][4][8] = {
    {{0, 0, 0, 0, 0, 0, 0, -2}, {0, 0, 0, 0, 0, 0, 0, 2}, {0, 0, 0, 0, 0, 0, 0, -1}, {0, 0, 0, 0, 0, 0, 0, 1}},
    {{0, 0, 0, 0, 0, 0, 2, -1}, {0, 0, 0, 0, 0, 0, -2, 2}, {0, 0, 0, 0, 0, 0, 1, 0}, {0, 0, 0, 0, 0, 0, -1, -2}},
    {{0, 0, 0, 0, -2, -1, 1, 1}, {0, 0, 0, 0, 2, 1, 2, 1}, {0, 0, 0, 0, -1, -1, -1, 0}, {0, 0, 0, 0, 1, -2, -2, -2}},
    {{0, 0, 0, -2, 1, -1, 1, -2}, {0, 0, 0, 2, -2, -2, 1, -2}, {0, 0, 0, -1, 0, -2, 0, 0}, {0, 0, 0, 1, 2, 1, 0, 2}},
    {{-2, -2, -1, -1, -1, 0, -2, 1},
     {2, 1, -1, 1, 1, -1, 0, -2},
     {-1, 2, 0, 1, -1, 0, 2, -1},
     {1, -2, 1, 1, 1, 0, -2, 0}},
    {{0, 0, 0, 0, 0, 0, 0, -1}, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 3}, {0, 0, 0, 0, 0, 0, 0, 0}},
    {{0, 0, 0, 0, 0, 0, -1, 1}, {0, 0, 0, 0, 0, 0, 0, 2}, {0, 0, 0, 0, 0, 0, 3, 0}, {0, 0, 0, 0, 0, 0, 0, 2}},
    {{0, 0, 0, 0, 0, -1, -1, 1}, {0, 0, 0, 0, 0, 0, -2, 1}, {0, 0, 0, 0, 0, 3, -2, 0}, {0, 0, 0, 0, 0, 0, -2, 0}},
    {{0, 0, 0, 0, 0, 2, -1, -2}, {0, 0, 0, 0, 0, -2, 1, -1}, {0, 0, 0, 0, 0, 1, 0, 0}, {0, 0, 0, 0, 0, -1, 3, 0}},
    {{0, 0, 0, 0, 0, 2, -1, -1}, {0, 0, 0, 0, 0, -2, 2, -3}, {0, 0, 0, 0, 0, 1, 0, 0}, {0, 0, 0, 0, 0, -1, -2, 0}},
    {{0, 0, 0, 0, -1, 1, 0, -1}, {0, 0, 0, 0, 0, 2, 2, -2}, {0, 0, 0, 0, 3, 0, 0, 0}, {0, 0, 0, 0, 0, 2, 1, 1}},
    {{0, 0, 0, 0, 1, 1, -1, 0}, {0, 0, 0, 0, 0, 2, -1, 2}, {0, 0, 0, 0, -3, 2, 0, 1}, {0, 0, 0, 0, 0, 2, 0, 1}},
    {{0, 0, 0, 0, 0, 0, 3, 3}, {0, 0, 0, 0, 0, 0, -2, 2}, {0, 0, 0, 0, 0, 0, -2, 0}, {0, 0, 0, 0, 0, 0, -1, -1}},
    {{0, 0, 0, 0, 0, 0, -1, -1}, {0, 0, 0, 0, 0, 0, 0, -3}, {0, 0, 0, 0, 0, 0, 3, -2}, {0, 0, 0, 0, 0, 0, 0, 3}},
    {{0, 0, 0, 1, -1, -2, 2, 0}, {0, 0, 0, 0, -2, 0, 0, 2}, {0, 0, 0, -3, 0, -1, 0, -1}, {0, 0, 0, 0, -2, 0, 1, -2}},
    {{0, 0, 0, -2, -1, -2, -1, 2}, {0, 0, 0, 2, 1, -3, -1, 1}, {0, 0, 0, -1, -1, 0, 1, 0}, {0, 0, 0, 1, -2, -1, 0, -1}},
};

// A hash that is linear in the fields' words, unkeyed: the sum of each field's first 8 bytes as
// a little-endian word, its top byte marked by xor with the text's length, times a multiplier
// of the field's own, modulo 2^64.
std::uint64_t linear_hash(const OverrideText& o) {
  constexpr std::uint64_t multipliers[4] = {0xbf58476d1ce4e5b9ULL, 0x94d049bb133111ebULL, 0xd6e8feb86659fd93ULL,
                                            0xa0761d6478bd642fULL};
  std::uint64_t h = 0;
  for (std::size_t f = 0; f < 4; ++f) {
    std::uint64_t word = 0;
    std::memcpy(&word, o.values[f].data(), 8);
    h += (word ^ (std::uint64_t{o.values[f].size()} << 56)) * multipliers[f];
  }
  return h;
}

// `count` distinct encoders whose fields are 8-digit texts that `linear_hash` maps to one
// value: 55555555 in each field, changed by a random few of `kCancellingChanges`, each added or
// taken away. The digits stay in 0-9, the first in 1-9, the last in 0-7 so that marking the top
// byte by xor with 8 adds 8 to all alike.
std::vector<Texts> crafted_overrides(std::size_t count) {
  std::mt19937_64 rng(11);
  std::set<std::array<std::string, 4>> seen;
  std::vector<Texts> crafted;
  while (crafted.size() < count) {
    int change[4][8] = {};
    for (const auto& row : kCancellingChanges) {
      const int sign = static_cast<int>(rng() % 6);
      if (sign > 1) continue;
      for (std::size_t f = 0; f < 4; ++f) {
        for (std::size_t j = 0; j < 8; ++j) change[f][j] += sign == 0 ? row[f][j] : -row[f][j];
      }
    }
    std::array<std::string, 4> fields;
    bool in_range = true;
    for (std::size_t f = 0; f < 4; ++f) {
      for (std::size_t j = 0; j < 8; ++j) {
        const int digit = 5 + change[f][j];
        in_range = in_range && digit >= (j == 0 ? 1 : 0) && digit <= (j == 7 ? 7 : 9);
        fields[f].push_back(static_cast<char>('0' + digit));
      }
    }
    if (in_range && seen.insert(fields).second) crafted.emplace_back(true, fields);
  }
  return crafted;
}

TEST(OverrideIndexTest, SpreadsOverridesCraftedToCollideUnderALinearHash) {
  const std::vector<Texts> crafted = crafted_overrides(10000);
  for (const Texts& texts : crafted) ASSERT_EQ(linear_hash(texts.text()), linear_hash(crafted[0].text()));
  for (const std::uint64_t seed : {0, 1, 0x5eed}) {
    OverrideIndex index(seed);
    std::set<std::uint32_t> hashes, homes;
    for (const Texts& texts : crafted) {
      const std::uint32_t hash = index.prepare(texts.text());
      hashes.insert(hash);
      homes.insert(hash >> 16);
      ASSERT_TRUE(index.insert(texts.text(), hash));
    }
    // Random hashes of 10,000 overrides share a hash hardly ever, and take about 9,270 of the
    // 65,536 values of their top 16 bits, which pick their places in a large index.
    EXPECT_GE(hashes.size(), crafted.size() - 1) << seed;
    EXPECT_GE(homes.size(), 8500u) << seed;
  }
}

}  // namespace
}  // namespace brackwen
