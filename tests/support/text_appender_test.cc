// Appending texts in place.
#include "support/text_appender.h"

#include <gtest/gtest.h>

#include <string>

#include "support/string_sink.h"

namespace brackwen {
namespace {

TEST(TextAppenderTest, CopiesRunsOfEveryLengthExactly) {
  std::string source;
  for (int i = 0; i < 400; ++i) source.push_back(static_cast<char>('A' + i % 58));
  StringSink sink;
  std::string expected;
  {
    TextAppender out(sink);
    for (std::size_t n = 0; n <= 300; ++n) {
      out.append(std::string_view(source).substr(n % 7, n));
      expected.append(source, n % 7, n);
      const std::string number = std::to_string(n);
      out.append(number);
      expected += number;
    }
    out.finish();
  }
  EXPECT_EQ(sink.text(), expected);
}

TEST(TextAppenderTest, PutsPaddedTextsOfEveryLengthExactlyInTheRoom) {
  std::string source;
  for (int i = 0; i < 400; ++i) source.push_back(static_cast<char>('A' + i % 58));
  source.append(kTextPadding, '#');
  StringSink sink;
  std::string expected;
  {
    TextAppender out(sink);
    // Enough text to cross the end of the appender's room several times.
    for (int round = 0; round < 300; ++round) {
      const std::size_t lengths[] = {0, 1, 15, 16, 17, 31, 32, 33, 100, 399};
      std::size_t total = 0;
      for (const std::size_t n : lengths) total += n;
      char* p = out.room(total);
      for (const std::size_t n : lengths) {
        const std::size_t at = (round + n) % 2;
        p = put_padded(p, PaddedText::within(source, at, n));
        expected.append(source, at, n);
      }
      out.advance_to(p);
      // Plain appends go on right after what was put.
      out.append("|");
      expected += "|";
    }
    out.finish();
  }
  EXPECT_EQ(sink.text(), expected);
}

TEST(TextAppenderTest, AsksForMoreRoomAndFinishesMoreThanOnce) {
  StringSink sink;
  TextAppender out(sink);
  const std::string big(100000, 'x');
  out.append("a");
  out.append(big);
  out.append("-123456789012345678901234567890");
  out.finish();
  out.append("b");
  out.finish();
  out.finish();
  EXPECT_EQ(sink.text(), "a" + big + "-123456789012345678901234567890b");
}

}  // namespace
}  // namespace brackwen
