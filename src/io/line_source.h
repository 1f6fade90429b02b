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
  // The first line after those already peeked that `next_line` has yet to give, when it is
  // already at hand whole, without taking it: the lines peeked are given by `next_line` in
  // order, and each stays valid until `next_line` has given it and been called once more.
  // Nothing when the line is not at hand or too many lines are peeked.
  virtual std::optional<PaddedText> peek_line_at_hand() { return std::nullopt; }
  // The text at hand after the lines peeked: whole lines and perhaps the start of one more,
  // beginning with the line that `peek_line_at_hand` would give. Empty when no further line may
  // be peeked.
  virtual PaddedText text_at_hand() { return {}; }
  // Peeks the line that `text_at_hand` begins with, as `peek_line_at_hand` would, for a caller
  // that has found its line feed `length` characters into that text.
  virtual void peek_line_of_length(std::size_t length) { static_cast<void>(length); }
};

}  // namespace brackwen
