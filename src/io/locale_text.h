// Decoding bytes into characters with the character encoding of the current locale.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace brackwen {

// Decodes text in the encoding of the C library's current locale (LC_CTYPE) through the C
// library's converter for it, with a fast path for ASCII bytes where each stands for the
// character of its own code the moment it is read.
class LocaleDecoder {
 public:
  // A decoder for the locale in force now. Throws a `Failure` naming the encoding when the C
  // library has no converter for it, or when its bytes for the ASCII characters are not
  // ASCII's: the program writes its script, and splits its input into lines, in ASCII bytes.
  LocaleDecoder();
  // Replaces `out` with the characters of `bytes` up to the first that is not valid text in the
  // encoding (an invalid or incomplete sequence, or one for a code point that is no character:
  // past U+10FFFF or a surrogate); false when there is such a character. A character that the
  // converter holds back to see whether the next byte combines with it comes out at the end.
  bool decode(std::string_view bytes, std::u32string& out) const;
  // Whether `bytes` is valid text in the encoding, as `decode` would find it.
  bool is_valid(std::string_view bytes) const;
  // Whether `bytes` is empty or begins with a character that is valid text in the encoding.
  bool first_character_is_valid(std::string_view bytes) const;
  // Whether every ASCII byte stands for the character of its own code as soon as it is read,
  // whatever follows it.
  bool ascii_is_itself() const noexcept { return ascii_is_itself_; }

 private:
  // Calls `emit` with each character of `bytes` in turn until it returns false; false when a
  // character before that is not valid text.
  template <class Emit>
  bool for_each_character(std::string_view bytes, Emit emit) const;
  // The same for the characters that the converter makes of `bytes`, held-back ones included.
  template <class Emit>
  bool convert(std::string_view bytes, Emit emit) const;

  std::shared_ptr<void> converter_;  // the C library's converter from the encoding to code points
  bool ascii_is_itself_ = false;
};

}  // namespace brackwen
