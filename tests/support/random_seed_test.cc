// The seeds of the keyed hashes.
#include "support/random_seed.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace brackwen {
namespace {

TEST(RandomSeedTest, DiffersFromDrawToDraw) {
  std::set<std::uint64_t> seeds;
  for (int i = 0; i < 8; ++i) seeds.insert(random_seed());
  EXPECT_EQ(seeds.size(), 8u);
}

}  // namespace
}  // namespace brackwen
