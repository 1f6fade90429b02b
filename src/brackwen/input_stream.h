// Standard input, read in chunks and cut into lines as they are asked for.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace brackwen {

class OutputStream;

// The lines of a text, taken one at a time.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // The next line without its line feed, valid until the next call and padded
  // (`padded_text.h`); nothing after the last. A line feed at the very end begins no further line.
  virtual std::optional<std::string_view> next_line() = 0;
  // The first line after those already peeked that `next_line` has yet to give, when it is
  // already at hand whole, without taking it, padded: the lines peeked are given by `next_line` in
  // order, and each stays valid until `next_line` has given it and been called once more.
  // Nothing when the line is not at hand or too many lines are peeked.
  virtual std::optional<std::string_view> peek_line_at_hand() { return std::nullopt; }
  // The text at hand after the lines peeked, padded: whole lines and perhaps the start of one
  // more, beginning with the line that `peek_line_at_hand` would give. Empty when no further
  // line may be peeked.
  virtual std::string_view text_at_hand() { return {}; }
  // Peeks the line that `text_at_hand` begins with, as `peek_line_at_hand` would, for a caller
  // that has found its line feed `length` characters into that text.
  virtual void peek_line_of_length(std::size_t length) { static_cast<void>(length); }
};

// The lines of a file descriptor. Before it waits for input it writes out what is buffered for
// standard output, so that a reader of the output sees everything produced so far. A failing
// read throws a `Failure` naming standard input; a SIGINT noticed while reading writes out
// standard output and ends the process by that signal.
class InputStream : public LineSource {
 public:
  InputStream(int fd, OutputStream& output);
  std::optional<std::string_view> next_line() override;
  std::optional<std::string_view> peek_line_at_hand() override;
  std::string_view text_at_hand() override;
  void peek_line_of_length(std::size_t length) override;

 private:
  // Reads the next chunk after what is held; false at the end of the input.
  bool read_more();
  // Counts the line of `length` characters after the peeked ones as peeked.
  void add_peeked(std::size_t length);

  static constexpr std::size_t kPeekLimit = 32;

  int fd_;
  OutputStream& output_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;    // start of the first line not yet given out
  std::size_t end_ = 0;      // end of the bytes read
  std::size_t peeked_ = 0;   // bytes from begin_ that the peeked lines and their line feeds hold
  std::size_t scanned_ = 0;  // bytes after the peeked lines known to hold no line feed
  std::array<std::size_t, kPeekLimit> peeked_lengths_{};  // a ring of the peeked lines' lengths
  std::size_t first_peeked_ = 0, peeked_count_ = 0;
  bool at_end_ = false;
};

}  // namespace brackwen
