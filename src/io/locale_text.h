// Decoding bytes into characters with the character encoding of the current locale.
#pragma once

#include <string>
#include <string_view>

namespace brackwen {

// Decodes text in the encoding of the C library's current locale (LC_CTYPE), with a fast path
// for ASCII bytes when the encoding maps them to themselves.
class LocaleDecoder {
 public:
  // A decoder for the locale in force now.
  LocaleDecoder();
  // Replaces `out` with the characters of `bytes` up to the first that is not valid text in the
  // encoding (an invalid or incomplete sequence, or one for a code point that is no character:
  // past U+10FFFF or a surrogate); false when there is such a character.
  bool decode(std::string_view bytes, std::u32string& out) const;
  // Whether `bytes` is valid text in the encoding, as `decode` would find it.
  bool is_valid(std::string_view bytes) const;
  // Whether `bytes` is empty or begins with a character that is valid text in the encoding.
  bool first_character_is_valid(std::string_view bytes) const;
  // Whether every ASCII byte stands for the character of its own code.
  bool ascii_is_itself() const noexcept { return ascii_is_itself_; }

 private:
  // Calls `emit` with each character of `bytes` in turn until it returns false; false when a
  // character before that is not valid text.
  template <class Emit>
  bool for_each_character(std::string_view bytes, Emit emit) const;

  bool ascii_is_itself_;
};

}  // namespace brackwen
