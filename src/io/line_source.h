// The lines of the input, as the pipeline takes them.
#pragma once

#include <cstddef>
#include <optional>

#include "support/padded_text.h"

namespace brackwen {

// The lines of a text, taken one at a time.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // The next line without its line feed, valid until the next call; nothing after the last. A
  // line feed at the very end begins no further line.
  virtual std::optional<PaddedText> next_line() = 0;
  // The next line not yet peeked, if it is at hand whole and few enough are peeked, without
  // taking it: `next_line` gives it in turn, and it stays valid until the call after that.
  virtual std::optional<PaddedText> peek_line_at_hand() = 0;
  // The text at hand after the peeked lines, from the line `peek_line_at_hand` would give; empty
  // when no further line may be peeked.
  virtual PaddedText text_at_hand() = 0;
  // Peeks the line that `text_at_hand` begins with, as `peek_line_at_hand` would, for a caller
  // that has found its line feed `length` characters into that text.
  virtual void peek_line_of_length(std::size_t length) = 0;
};

}  // namespace brackwen
