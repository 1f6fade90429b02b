// The text the readers read: decoded characters, and what comes after them.
#pragma once

#include <concepts>
#include <cstddef>
#include <string_view>

namespace tarnwick::override {

// Characters decoded from bytes, which either end the text or stop where the bytes could not be
// decoded. A reader that needs the character at that point calls the text's handler, which
// throws; a reader that fails or ends before it never learns of it.
class DecodedText {
 public:
  // What a text that stops short calls when a reader needs the character it could not decode.
  using Undecodable = void (*)();

  // The whole text `chars`.
  template <class Chars>
  requires std::convertible_to<const Chars&, std::u32string_view> DecodedText(const Chars& chars)
  noexcept : chars_(chars) {}
  // The text `chars`, followed by bytes that could not be decoded: `undecodable` is called,
  // and must throw, when a reader needs the character after `chars`.
  DecodedText(std::u32string_view chars, Undecodable undecodable) noexcept : chars_(chars), undecodable_(undecodable) {}

  // Whether a character stands at `pos`; false at the end of the text. At the point where the
  // text stops short, the handler is called instead.
  bool has_char(std::size_t pos) const {
    if (pos < chars_.size()) return true;
    if (pos == chars_.size() && undecodable_ != nullptr) undecodable_();
    return false;
  }
  // The character at `pos`, which `has_char` has found.
  char32_t operator[](std::size_t pos) const noexcept { return chars_[pos]; }
  // How many characters were decoded.
  std::size_t size() const noexcept { return chars_.size(); }
  // The decoded characters from `pos` on, `count` of them at most.
  std::u32string_view substr(std::size_t pos, std::size_t count) const { return chars_.substr(pos, count); }

 private:
  std::u32string_view chars_;
  Undecodable undecodable_ = nullptr;
};

}  // namespace tarnwick::override
