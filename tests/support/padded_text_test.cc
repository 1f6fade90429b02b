// Padded texts: made only where their storage holds the padding.
#include "support/padded_text.h"

#include <gtest/gtest.h>

#include <string>

namespace brackwen {
namespace {

TEST(PaddedTextTest, CopiesWriteTheTextAndNoMoreThanThePaddingPastIt) {
  for (const std::size_t n : {0, 1, 16, 31, 32, 33, 256, 257, 1000}) {
    SCOPED_TRACE(n);
    const PaddedString source(std::string(n, 'x'));
    std::string to(n + 2 * kTextPadding, '.');
    char* const end = put_padded(to.data(), source.text());
    EXPECT_EQ(end, to.data() + n);
    EXPECT_EQ(to.substr(0, n), std::string(n, 'x'));
    EXPECT_EQ(to.substr(n + kTextPadding), std::string(kTextPadding, '.'));
  }
}

TEST(PaddedTextTest, PartsAndStorageThatHoldThePadding) {
  const std::string storage = "line one\nline two" + std::string(kTextPadding, '#');
  const PaddedText whole = PaddedText::within(storage, 0, storage.size() - kTextPadding);
  EXPECT_EQ(whole, "line one\nline two");
  EXPECT_EQ(whole.part(whole.view().substr(9, 4)), "line");
  EXPECT_EQ(PaddedText::within(storage, 9, 8), "line two");
  EXPECT_TRUE(PaddedText().empty());
}

#ifndef NDEBUG
TEST(PaddedTextDeathTest, StorageWithoutThePaddingIsRefusedInDebugBuilds) {
  const std::string storage = "line one\nline two" + std::string(kTextPadding - 1, '#');
  EXPECT_DEATH(PaddedText::within(storage, 0, storage.size() - kTextPadding + 1), "");
  EXPECT_DEATH(PaddedText::within(storage, 9, 8), "");
  const PaddedText first = PaddedText::within(storage, 0, 4);
  EXPECT_DEATH(first.part(std::string_view(storage).substr(2, 4)), "");
}
#endif

}  // namespace
}  // namespace brackwen
