// A line source for tests that holds its text in memory and gives out its lines as a stream that
// reads the text in pieces would, peeking included, and that catches uses of lines gone stale.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "io/line_source.h"
#include "support/padded_text.h"

namespace brackwen {

// The lines of a text, read `piece` bytes at a time as they are needed. When it lets lines be
// peeked, a line is at hand once the piece that ends it is read, and up to `peek_limit` lines
// may be peeked at once. What is not read yet reads as '#', and so does a line once it may no
// longer be used: a reader that looks past what it was given, or keeps a line too long, reads
// another text.
class HeldLines : public LineSource {
 public:
  // The lines of `text`; with a `peek_limit` of 0 none may be peeked.
  HeldLines(std::string text, std::size_t piece, std::size_t peek_limit)
      : text_(std::move(text)), held_(text_.size() + kTextPadding, '#'), piece_(piece), peek_limit_(peek_limit) {}

  std::optional<PaddedText> next_line() override {
    // The line given out last is no longer valid.
    std::fill(held_.begin() + static_cast<std::ptrdiff_t>(given_), held_.begin() + static_cast<std::ptrdiff_t>(begin_),
              '#');
    given_ = begin_;
    if (begin_ == text_.size()) return std::nullopt;
    std::size_t end = text_.find('\n', begin_);
    if (end == std::string::npos) end = text_.size();
    while (read_ <= end && read_ < text_.size()) read_piece();
    if (!peeked_ends_.empty()) {
      EXPECT_EQ(peeked_ends_.front(), end) << "a line peeked is not the next one";
      peeked_ends_.pop_front();
    }
    const PaddedText line = PaddedText::within(held_, begin_, end - begin_);
    begin_ = std::min(end + 1, text_.size());
    return line;
  }

  std::optional<PaddedText> peek_line_at_hand() override {
    if (peeked_ends_.size() >= peek_limit_) return std::nullopt;
    const std::size_t start = peek_start();
    const std::size_t end = text_.find('\n', start);
    if (end == std::string::npos || end >= read_) return std::nullopt;
    peeked_ends_.push_back(end);
    ++peeked_count_;
    return PaddedText::within(held_, start, end - start);
  }

  PaddedText text_at_hand() override {
    if (peeked_ends_.size() >= peek_limit_) return {};
    return PaddedText::within(held_, peek_start(), read_ - peek_start());
  }

  void peek_line_of_length(std::size_t length) override {
    const std::size_t end = peek_start() + length;
    ASSERT_LT(peeked_ends_.size(), peek_limit_) << "a line peeked past the limit";
    ASSERT_TRUE(end < read_ && text_[end] == '\n') << "a line peeked by a length that does not end it";
    peeked_ends_.push_back(end);
    ++peeked_count_;
  }

  // How many lines have been peeked.
  int peeked_count() const noexcept { return peeked_count_; }

 private:
  // Reads the next piece of the text.
  void read_piece() {
    const std::size_t end = std::min(read_ + piece_, text_.size());
    std::copy(text_.begin() + static_cast<std::ptrdiff_t>(read_), text_.begin() + static_cast<std::ptrdiff_t>(end),
              held_.begin() + static_cast<std::ptrdiff_t>(read_));
    read_ = end;
  }
  // Where the line after those peeked begins.
  std::size_t peek_start() const { return peeked_ends_.empty() ? begin_ : peeked_ends_.back() + 1; }

  std::string text_;
  std::string held_;  // what has been read of the text, then '#', then padding
  std::size_t piece_;
  std::size_t peek_limit_;
  std::size_t read_ = 0;                 // the end of what has been read
  std::size_t begin_ = 0;                // the start of the next line to give out
  std::size_t given_ = 0;                // the start of the line given out last
  std::deque<std::size_t> peeked_ends_;  // where the lines peeked and not yet given out end
  int peeked_count_ = 0;
};

}  // namespace brackwen
