// The first line of the input, which becomes the first distinct override before it is read.
#pragma once

#include "io/locale_text.h"
#include "support/padded_text.h"

namespace brackwen {

// The first line, held unread until a comparison or its block needs its override. What finding
// the line after it needs is checked before that: all of its characters, to find its end, and
// then the first character of the next line, which shows that there is one.
class UnreadFirstLine {
 public:
  // A copy of `line`.
  explicit UnreadFirstLine(PaddedText line) : line_(line.view()) {}
  // Checks that all of its characters can be decoded; throws a `Failure` otherwise.
  void check_decodes(const LocaleDecoder& decoder);
  // Checks that the first character of `next`, the line after it, can be decoded; throws a
  // `Failure` otherwise. A later line's reading needs its first character anyway.
  static void check_next_begins(const LocaleDecoder& decoder, PaddedText next);
  // The line.
  PaddedText text() const noexcept { return line_.text(); }

 private:
  PaddedString line_;
  bool decodes_ = false;  // whether it is known to be valid text
};

}  // namespace brackwen
