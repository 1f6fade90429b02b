// A count kept as its decimal text.
#include "support/decimal_counter.h"

#include <gtest/gtest.h>

#include <string>

namespace brackwen {
namespace {

TEST(DecimalCounterTest, CountsLikeTheDecimalTextOfItsCount) {
  DecimalCounter counter;
  for (std::size_t n = 0; n <= 1100000; ++n) {
    ASSERT_EQ(counter.text(), std::to_string(n));
    counter.step();
  }
}

}  // namespace
}  // namespace brackwen
