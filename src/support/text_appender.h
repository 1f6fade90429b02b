// Appending many short texts to a sink in place, for text written by the program's own code.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "support/padded_text.h"
#include "support/text_sink.h"

namespace brackwen {

// Writes texts straight into the room a sink reserves, asking for more room when it runs out.
// What it has written reaches the sink on `finish`, which must come before anything else writes
// to the sink; `finish` may be called again after more appends.
class TextAppender {
 public:
  explicit TextAppender(BufferedSink& sink) : sink_(sink) {}
  TextAppender(const TextAppender&) = delete;
  TextAppender& operator=(const TextAppender&) = delete;

  // Appends `text`.
  void append(std::string_view text) {
    if (static_cast<std::size_t>(end_ - next_) < text.size()) make_room(text.size());
    std::copy(text.begin(), text.end(), next_);
    next_ += text.size();
  }
  // Appends `text` with a padded copy.
  void append_padded(PaddedText text) { advance_to(put_padded(room(text.size()), text)); }
  // Where to write at least `n` more characters in place, with `kTextPadding` bytes to spare for
  // a padded copy; `advance_to` then takes what was written.
  char* room(std::size_t n) {
    if (static_cast<std::size_t>(end_ - next_) < n + kTextPadding) make_room(n + kTextPadding);
    return next_;
  }
  // Takes the characters written in the room up to `end` as appended.
  void advance_to(char* end) noexcept { next_ = end; }
  // Passes everything appended so far on to the sink.
  void finish() {
    if (start_ != nullptr) sink_.commit(static_cast<std::size_t>(next_ - start_));
    start_ = next_ = end_ = nullptr;
  }

 private:
  static constexpr std::size_t kRoom = std::size_t{1} << 14;

  void make_room(std::size_t n) {
    finish();
    const std::size_t room = n > kRoom ? n : kRoom;
    start_ = next_ = sink_.reserve(room);
    end_ = start_ + room;
  }

  BufferedSink& sink_;
  char* start_ = nullptr;
  char* next_ = nullptr;
  char* end_ = nullptr;
};

}  // namespace brackwen
