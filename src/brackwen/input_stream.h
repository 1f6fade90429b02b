// Standard input, read in chunks and cut into lines as they are asked for.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace brackwen {

class OutputStream;

// The lines of a text, taken one at a time.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // The next line without its line feed, valid until the next call; nothing after the last.
  // A line feed at the very end begins no further line.
  virtual std::optional<std::string_view> next_line() = 0;
  // The line that `next_line` will give next, when it is already at hand whole, without
  // taking it; valid until the next call of either. Nothing when it is not at hand.
  virtual std::optional<std::string_view> peek_line_at_hand() { return std::nullopt; }
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

 private:
  // Reads the next chunk after what is held; false at the end of the input.
  bool read_more();

  int fd_;
  OutputStream& output_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;   // start of the first line not yet given out
  std::size_t end_ = 0;     // end of the bytes read
  std::size_t scanned_ = 0; // bytes from begin_ known to hold no line feed
  std::optional<std::size_t> peeked_;  // length of the line at begin_, when found by a peek
  bool at_end_ = false;
};

}  // namespace brackwen
