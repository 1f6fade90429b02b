#include "override/char_class.h"

#include <array>
#include <cstdint>
#include <string_view>

#include <unicode/uchar.h>

namespace tarnwick::override {
namespace {

// Class bits of an ASCII character.
enum AsciiClass : std::uint8_t {
  kWhite = 1 << 0,
  kPunctuation = 1 << 1,
  kSymbol = 1 << 2,
  kLetter = 1 << 3,
  kIdentifier = 1 << 4,
};

// The classes of the 128 ASCII characters, fixed lists rather than a character database.
constexpr std::array<std::uint8_t, 128> make_ascii_classes() {
  std::array<std::uint8_t, 128> table{};
  for (char32_t c = 0; c < 128; ++c) {
    if (is_ascii_white_space(c)) table[c] |= kWhite;
  }
  for (char32_t c : std::u32string_view(U",;()[]{}`")) table[c] |= kPunctuation;
  for (char32_t c : std::u32string_view(U"!#$%&*+-./:<=>?^|~@\\")) table[c] |= kSymbol;
  for (char32_t c = U'a'; c <= U'z'; ++c) table[c] |= kLetter | kIdentifier;
  for (char32_t c = U'A'; c <= U'Z'; ++c) table[c] |= kLetter | kIdentifier;
  for (char32_t c = U'0'; c <= U'9'; ++c) table[c] |= kIdentifier;
  table[U'_'] |= kIdentifier;
  table[U'\''] |= kIdentifier;
  return table;
}

constexpr std::array<std::uint8_t, 128> kAsciiClasses = make_ascii_classes();

// Whether `c` is ASCII and has the class bit `bit`.
bool ascii_has(char32_t c, AsciiClass bit) noexcept { return (kAsciiClasses[c] & bit) != 0; }

// The general category of a code point beyond ASCII; Cn beyond the code space.
std::int8_t category(char32_t c) noexcept {
  if (c > 0x10FFFF) return U_UNASSIGNED;
  return u_charType(static_cast<UChar32>(c));
}

}  // namespace

bool is_white_space(char32_t c) noexcept {
  if (c < 128) return ascii_has(c, kWhite);
  switch (c) {
    case 0x00A0:
    case 0x1680:
    case 0x2000:
    case 0x2001:
    case 0x2002:
    case 0x2003:
    case 0x2004:
    case 0x2005:
    case 0x2006:
    case 0x2007:
    case 0x2008:
    case 0x2009:
    case 0x200A:
    case 0x202F:
    case 0x205F:
    case 0x3000: return true;
    default: return false;
  }
}

bool is_punctuation_char(char32_t c) noexcept { return c < 128 && ascii_has(c, kPunctuation); }

bool is_symbol_char(char32_t c) noexcept {
  if (c < 128) return ascii_has(c, kSymbol);
  switch (category(c)) {
    case U_CONNECTOR_PUNCTUATION:
    case U_DASH_PUNCTUATION:
    case U_OTHER_PUNCTUATION:
    case U_MATH_SYMBOL:
    case U_CURRENCY_SYMBOL:
    case U_MODIFIER_SYMBOL:
    case U_OTHER_SYMBOL: return true;
    default: return false;
  }
}

bool is_letter(char32_t c) noexcept {
  if (c < 128) return ascii_has(c, kLetter);
  switch (category(c)) {
    case U_UPPERCASE_LETTER:
    case U_LOWERCASE_LETTER:
    case U_TITLECASE_LETTER:
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER: return true;
    default: return false;
  }
}

bool is_identifier_char(char32_t c) noexcept {
  if (c < 128) return ascii_has(c, kIdentifier);
  if (is_letter(c)) return true;
  switch (category(c)) {
    case U_NON_SPACING_MARK:
    case U_COMBINING_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_DECIMAL_DIGIT_NUMBER:
    case U_LETTER_NUMBER:
    case U_OTHER_NUMBER: return true;
    default: return false;
  }
}

}  // namespace tarnwick::override
