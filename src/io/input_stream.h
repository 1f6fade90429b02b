// Standard input, read in chunks and cut into lines as they are asked for.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "io/line_source.h"
#include "support/padded_text.h"

namespace brackwen {

// The lines of a file descriptor. A failing read throws a `Failure` naming standard input; a
// descriptor in non-blocking mode is waited on.
class InputStream : public LineSource {
 public:
  // The lines of `fd`; `before_waiting` runs before each read that may wait, up to the end of
  // the input, so that it can write out the output that a reader waits for.
  InputStream(int fd, std::function<void()> before_waiting);
  std::optional<PaddedText> next_line() override;
  std::optional<PaddedText> peek_line_at_hand() override;
  PaddedText text_at_hand() override;
  void peek_line_of_length(std::size_t length) override;

 private:
  // Reads the next chunk after what is held; false at the end of the input.
  bool read_more();
  // The `length` bytes held from `start` on.
  PaddedText held_text(std::size_t start, std::size_t length) const noexcept {
    return PaddedText::within(buffer_, start, length);
  }
  // Counts the line of `length` characters after the peeked ones as peeked.
  void add_peeked(std::size_t length);

  static constexpr std::size_t kPeekLimit = 32;

  int fd_;
  std::function<void()> before_waiting_;
  std::vector<char> buffer_;  // the bytes read, then room for more, then `kTextPadding` bytes
  std::size_t begin_ = 0;     // start of the first line not yet given out
  std::size_t end_ = 0;       // end of the bytes read
  std::size_t peeked_ = 0;    // bytes from begin_ that the peeked lines and their line feeds hold
  std::size_t scanned_ = 0;   // bytes after the peeked lines known to hold no line feed
  std::array<std::size_t, kPeekLimit> peeked_lengths_{};  // a ring of the peeked lines' lengths
  std::size_t first_peeked_ = 0, peeked_count_ = 0;
  bool at_end_ = false;
};

}  // namespace brackwen
