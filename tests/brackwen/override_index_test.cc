// The kept overrides and their index by value.
#include "brackwen/override_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "brackwen/padded_text.h"
#include "override/ordering.h"
#include "override/test_support.h"

namespace brackwen {
namespace {

using tarnwick::override::Override;
using tarnwick::override::override_equal;

// The texts of an override as the script writes it, padded, held for as long as they are used.
class Texts {
 public:
  explicit Texts(const Override& o) {
    const auto* e = std::get_if<tarnwick::override::Override_enc_int>(&o);
    const auto* d = std::get_if<tarnwick::override::Override_dec_int>(&o);
    fields_[0] = tarnwick::override::lb(o).to_decimal();
    fields_[1] = tarnwick::override::ub(o).to_decimal();
    fields_[2] = e != nullptr ? e->dst_i().to_decimal() : d->src_i().to_decimal();
    fields_[3] = tarnwick::override::length(o).to_decimal();
    for (std::string& field : fields_) field.append(kTextPadding, '#');
    encoder_ = e != nullptr;
  }
  OverrideText text() const { return {encoder_, {field(0), field(1), field(2), field(3)}}; }

 private:
  std::string_view field(std::size_t i) const {
    return std::string_view(fields_[i]).substr(0, fields_[i].size() - kTextPadding);
  }

  bool encoder_;
  std::string fields_[4];
};

bool same(const OverrideText& a, const OverrideText& b) { return a.encoder == b.encoder && a.values == b.values; }

// Checks an index against a plain list searched by `override_equal`.
void expect_agrees_with_a_plain_search(std::mt19937_64& rng, Override (*make)(std::mt19937_64&), int count) {
  OverrideIndex index;
  std::vector<Override> plain;
  for (int i = 0; i < count; ++i) {
    const Override o = make(rng);
    bool seen = false;
    for (const Override& kept : plain) seen = seen || override_equal(kept, o);
    if (!seen) plain.push_back(o);
    ASSERT_EQ(index.insert(Texts(o).text()), !seen) << i;
  }
  ASSERT_EQ(index.size(), plain.size());
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
  OverrideIndex index;
  const int count = 300000;
  const auto enc = [](int i) { return Texts(tarnwick::override::Override_enc_int(i, -i, i % 7, 0)); };
  ASSERT_TRUE(index.insert(enc(0).text()));
  const OverrideText first = index[0];
  for (int i = 1; i < count; ++i) ASSERT_TRUE(index.insert(enc(i).text()));
  for (int i = 0; i < count; i += 997) {
    EXPECT_FALSE(index.insert(enc(i).text())) << i;
    EXPECT_TRUE(index.insert(Texts(tarnwick::override::Override_dec_int(i, -i, i % 7, 0)).text())) << i;
  }
  EXPECT_TRUE(same(index[123456], enc(123456).text()));
  // The texts of the first override still point at its stored form.
  EXPECT_TRUE(same(first, enc(0).text()));
  EXPECT_EQ(first.values[1].data(), index[0].values[1].data());
}

}  // namespace
}  // namespace brackwen
