// The classes of characters from which the lexemes of the override text form are cut.
#pragma once

namespace tarnwick::override {

// Whether `c` is ASCII white space: tab to carriage return, or space.
constexpr bool is_ascii_white_space(char32_t c) noexcept { return c == U' ' || (c >= U'\t' && c <= U'\r'); }
// Whether `c` is white space: ASCII white space, U+00A0 and the other space separators
// (U+1680, U+2000 to U+200A, U+202F, U+205F, U+3000), and nothing else.
bool is_white_space(char32_t c) noexcept;
// Whether `c` is one of the nine punctuation characters , ; ( ) [ ] { } and the grave accent.
bool is_punctuation_char(char32_t c) noexcept;
// Whether `c` is a symbol character: not punctuation, and of category Pc (but not "_"), Pd, Po
// (but not the apostrophe or the double quote), Sm, Sc, Sk or So.
bool is_symbol_char(char32_t c) noexcept;
// Whether `c` is a letter: category Lu, Ll, Lt, Lm or Lo.
bool is_letter(char32_t c) noexcept;
// Whether `c` may continue an identifier: a letter, a mark, a number character, "_" or the
// apostrophe.
bool is_identifier_char(char32_t c) noexcept;
// Whether `c` is an ASCII decimal digit.
constexpr bool is_decimal_digit(char32_t c) noexcept { return c >= U'0' && c <= U'9'; }
// Whether `c` is an octal digit.
constexpr bool is_octal_digit(char32_t c) noexcept { return c >= U'0' && c <= U'7'; }
// Whether `c` is a hexadecimal digit, in either case.
constexpr bool is_hex_digit(char32_t c) noexcept {
  return is_decimal_digit(c) || (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
}

}  // namespace tarnwick::override
