// The lexical layer under the override reader and the integer reader: white space, lexemes,
// and one exact integer with its sign, radix prefix and enclosing parentheses.
//
// Every operation works on decoded text and an index into it. Readers commit only on success:
// they return the value read and the index right after it, or nothing; the caller's index
// moves only when it takes a result.
// Each looks at a character only where its grammar needs it, so a reader that fails or ends
// before the point where a `DecodedText` stops short never needs what could not be decoded.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <variant>

#include "override/decoded_text.h"
#include "override/integer.h"

namespace tarnwick::override {

// The kind of a lexeme, in the order of the kinds.
enum class LexemeKind {
  Char,    // a character literal; begins with the apostrophe
  String,  // a string literal; begins with the double quote
  Punc,    // one punctuation character, or a reserved operator
  Ident,   // an identifier
  Symbol,  // a run of symbol characters that is not a reserved operator
  Number,  // a number, as `Number` below
  Eof,     // the end of the text; not spelled EOF, which is the C library's macro
};

// A number with a radix prefix: radix 8 after "0o"/"0O", 16 after "0x"/"0X".
// The digits are held as the run of digit characters in the caller's text (most significant
// first, never empty) rather than as a list of digit values, so that a long number is not
// copied when it is cut; the value of each character is its digit value in the radix.
struct MkNumber {
  int radix;                   // 8 or 16
  std::u32string_view digits;  // the digit characters, a view into the caller's text
};

// A decimal number, with an optional fraction and an optional exponent. Digit runs are views
// into the caller's text, as in `MkNumber`.
struct MkDecimal {
  std::u32string_view digits;                   // the digits before any "."; never empty
  std::optional<std::u32string_view> fraction;  // the digits after the ".", never empty
  std::optional<Integer> exponent;              // the signed value after "e" or "E"
};

// The two shapes of a number.
using Number = std::variant<MkNumber, MkDecimal>;

// One lexeme. `text` is the whole run of characters it was cut from (empty for `Eof`), a view
// into the caller's text; `number` is set exactly for the kind `Number`.
struct Lexeme {
  LexemeKind kind;
  std::u32string_view text;
  std::optional<Number> number;
};

// A lexeme with the index right after it.
struct LexemeRead {
  Lexeme lexeme;
  std::size_t end;
};

// An integer with the index right after the last lexeme it was read from.
struct IntegerRead {
  Integer value;
  std::size_t end;
};

// The index right after a run of "(" lexemes, and how many there were.
struct OpenParens {
  std::size_t end;
  std::size_t count;
};

// The first index at or after `pos` that holds no white space; the end of `text` if none.
std::size_t skip_white_space(const DecodedText& text, std::size_t pos);

// The lexeme that begins exactly at `pos` (no white space is skipped), or nothing when the
// character there begins no lexeme. Character and string literals are never read: a lexeme
// that would begin with the apostrophe or the double quote gives nothing.
std::optional<LexemeRead> read_lexeme(const DecodedText& text, std::size_t pos);

// The index right after the next lexeme after white space, when that lexeme is of `kind` and
// its whole text is `lexeme_text`; nothing otherwise.
std::optional<std::size_t> expect_lexeme(const DecodedText& text, std::size_t pos, LexemeKind kind,
                                         std::u32string_view lexeme_text);

// The "(" lexemes from `pos` on, each after optional white space, counted rather than read by
// recursion so that any depth reads in constant stack space; none when there are none.
OpenParens read_open_parens(const DecodedText& text, std::size_t pos);

// The index right after `count` ")" lexemes from `pos`, each after optional white space;
// nothing when one of them is missing.
std::optional<std::size_t> read_close_parens(const DecodedText& text, std::size_t pos, std::size_t count);

// The exact value of a number without fraction and without exponent; nothing otherwise.
std::optional<Integer> integer_value(const Number& number);

// An integer at `pos`: any number of nested parentheses around an optional "-" and one number
// with an integer value, white space allowed before every lexeme. Nothing when the text there
// is not of that form. White space after the last lexeme is left to the caller.
std::optional<IntegerRead> read_integer(const DecodedText& text, std::size_t pos);

}  // namespace tarnwick::override
