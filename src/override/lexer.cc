#include "override/lexer.h"

#include <array>
#include <string>

#include "override/char_class.h"

namespace tarnwick::override {
namespace {

// The runs of symbol characters that are punctuation rather than symbols.
constexpr std::array<std::u32string_view, 10> kReservedOperators = {
    U"..", U"::", U"=", U"\\", U"|", U"<-", U"->", U"@", U"~", U"=>",
};

// Whether the character at `pos` exists and satisfies `test`.
template <class Test>
bool at(const DecodedText& text, std::size_t pos, Test test) {
  return text.has_char(pos) && test(text[pos]);
}

// Whether the character at `pos` exists and is `a` or `b`.
bool at_either(const DecodedText& text, std::size_t pos, char32_t a, char32_t b) {
  return text.has_char(pos) && (text[pos] == a || text[pos] == b);
}

// The end of the longest run, from `pos`, of characters that satisfy `test`.
template <class Test>
std::size_t end_of_run(const DecodedText& text, std::size_t pos, Test test) {
  while (at(text, pos, test)) ++pos;
  return pos;
}

// The lexeme of `kind`, other than `Number`, made of the characters from `begin` to `end`.
LexemeRead cut(const DecodedText& text, std::size_t begin, std::size_t end, LexemeKind kind) {
  LexemeRead read{Lexeme{kind, text.substr(begin, end - begin), {}}, end};
  return read;
}

// The `Number` lexeme `number` made of the characters from `begin` to `end`.
LexemeRead cut_number(const DecodedText& text, std::size_t begin, std::size_t end, Number number) {
  LexemeRead read{Lexeme{LexemeKind::Number, text.substr(begin, end - begin), {}}, end};
  read.lexeme.number.emplace(std::move(number));
  return read;
}

// The exact value of a run of ASCII digit characters in `base`.
Integer digits_value(std::u32string_view digits, int base) {
  std::string narrow(digits.size(), '0');
  for (std::size_t i = 0; i < digits.size(); ++i) narrow[i] = static_cast<char>(digits[i]);
  return Integer::from_digits(narrow, base);
}

// A symbol or reserved operator: the longest run of symbol characters from `pos`.
LexemeRead read_symbol(const DecodedText& text, std::size_t pos) {
  const std::size_t end = end_of_run(text, pos, is_symbol_char);
  const std::u32string_view run = text.substr(pos, end - pos);
  for (std::u32string_view op : kReservedOperators) {
    if (run == op) return cut(text, pos, end, LexemeKind::Punc);
  }
  return cut(text, pos, end, LexemeKind::Symbol);
}

// An identifier: the letter or "_" at `pos` and the longest run of identifier characters after it.
LexemeRead read_identifier(const DecodedText& text, std::size_t pos) {
  return cut(text, pos, end_of_run(text, pos + 1, is_identifier_char), LexemeKind::Ident);
}

// A number with a radix prefix, when "0", "x"/"X" (or "o"/"O") and a digit of the radix stand
// at `pos`; nothing otherwise.
std::optional<LexemeRead> read_prefixed_numeral(const DecodedText& text, std::size_t pos) {
  if (text[pos] != U'0') return std::nullopt;
  int radix = 0;
  bool (*digit)(char32_t) noexcept = nullptr;
  if (at_either(text, pos + 1, U'x', U'X') && at(text, pos + 2, is_hex_digit)) {
    radix = 16;
    digit = is_hex_digit;
  } else if (at_either(text, pos + 1, U'o', U'O') && at(text, pos + 2, is_octal_digit)) {
    radix = 8;
    digit = is_octal_digit;
  } else {
    return std::nullopt;
  }
  const std::size_t end = end_of_run(text, pos + 2, digit);
  return cut_number(text, pos, end, MkNumber{radix, text.substr(pos + 2, end - (pos + 2))});
}

// The exponent after the digits ending at `pos`: "e" or "E", an optional sign and a run of
// digits. Sets `value` and returns the index after it, or returns `pos` when there is none.
std::size_t read_exponent(const DecodedText& text, std::size_t pos, std::optional<Integer>& value) {
  if (!at_either(text, pos, U'e', U'E')) return pos;
  std::size_t digits = pos + 1;
  const bool negative = at(text, digits, [](char32_t c) { return c == U'-'; });
  if (at_either(text, digits, U'+', U'-')) ++digits;
  if (!at(text, digits, is_decimal_digit)) return pos;
  const std::size_t end = end_of_run(text, digits, is_decimal_digit);
  const Integer magnitude = digits_value(text.substr(digits, end - digits), 10);
  value = negative ? magnitude.negated() : magnitude;
  return end;
}

// A decimal number from the digit at `pos`: digits, then a fraction only when "." and a digit
// follow, then an exponent only when a complete one follows.
LexemeRead read_decimal_numeral(const DecodedText& text, std::size_t pos) {
  MkDecimal number;
  std::size_t end = end_of_run(text, pos, is_decimal_digit);
  number.digits = text.substr(pos, end - pos);
  if (at(text, end, [](char32_t c) { return c == U'.'; }) && at(text, end + 1, is_decimal_digit)) {
    const std::size_t fraction_end = end_of_run(text, end + 1, is_decimal_digit);
    number.fraction = text.substr(end + 1, fraction_end - (end + 1));
    end = fraction_end;
  }
  end = read_exponent(text, end, number.exponent);
  return cut_number(text, pos, end, std::move(number));
}

// A number from the decimal digit at `pos`.
LexemeRead read_numeral(const DecodedText& text, std::size_t pos) {
  if (std::optional<LexemeRead> prefixed = read_prefixed_numeral(text, pos)) return *prefixed;
  return read_decimal_numeral(text, pos);
}

// Whether `lexeme` is of `kind` with exactly the text `lexeme_text`.
bool is(const Lexeme& lexeme, LexemeKind kind, std::u32string_view lexeme_text) {
  return lexeme.kind == kind && lexeme.text == lexeme_text;
}

}  // namespace

std::size_t skip_white_space(const DecodedText& text, std::size_t pos) {
  while (text.has_char(pos) && is_white_space(text[pos])) ++pos;
  return pos;
}

std::optional<LexemeRead> read_lexeme(const DecodedText& text, std::size_t pos) {
  if (!text.has_char(pos)) return cut(text, text.size(), text.size(), LexemeKind::Eof);
  const char32_t c = text[pos];
  if (is_punctuation_char(c)) return cut(text, pos, pos + 1, LexemeKind::Punc);
  switch (c) {
    case U'\'':
    case U'"': return std::nullopt;  // literals are accepted by no reader of this text form
    case U'0':
    case U'1':
    case U'2':
    case U'3':
    case U'4':
    case U'5':
    case U'6':
    case U'7':
    case U'8':
    case U'9': return read_numeral(text, pos);
    case U'_': return read_identifier(text, pos);
    default:
      if (is_letter(c)) return read_identifier(text, pos);
      if (is_symbol_char(c)) return read_symbol(text, pos);
      return std::nullopt;  // white space, controls, marks, other digits, unassigned, ...
  }
}

std::optional<std::size_t> expect_lexeme(const DecodedText& text, std::size_t pos, LexemeKind kind,
                                         std::u32string_view lexeme_text) {
  const std::optional<LexemeRead> read = read_lexeme(text, skip_white_space(text, pos));
  if (!read || !is(read->lexeme, kind, lexeme_text)) return std::nullopt;
  return read->end;
}

OpenParens read_open_parens(const DecodedText& text, std::size_t pos) {
  // A "(" is a punctuation lexeme of its own wherever it stands, so its character is enough.
  OpenParens open{pos, 0};
  for (std::size_t at = skip_white_space(text, pos); text.has_char(at) && text[at] == U'(';
       at = skip_white_space(text, open.end)) {
    open.end = at + 1;
    ++open.count;
  }
  return open;
}

std::optional<std::size_t> read_close_parens(const DecodedText& text, std::size_t pos, std::size_t count) {
  for (; count > 0; --count) {
    const std::optional<std::size_t> next = expect_lexeme(text, pos, LexemeKind::Punc, U")");
    if (!next) return std::nullopt;
    pos = *next;
  }
  return pos;
}

std::optional<Integer> integer_value(const Number& number) {
  if (const auto* prefixed = std::get_if<MkNumber>(&number)) {
    return digits_value(prefixed->digits, prefixed->radix);
  }
  const auto& decimal = std::get<MkDecimal>(number);
  if (decimal.fraction || decimal.exponent) return std::nullopt;
  return digits_value(decimal.digits, 10);
}

std::optional<IntegerRead> read_integer(const DecodedText& text, std::size_t pos) {
  const OpenParens open = read_open_parens(text, pos);
  std::optional<LexemeRead> lexeme = read_lexeme(text, skip_white_space(text, open.end));
  if (!lexeme) return std::nullopt;
  const bool negative = is(lexeme->lexeme, LexemeKind::Symbol, U"-");
  if (negative) {
    lexeme = read_lexeme(text, skip_white_space(text, lexeme->end));
    if (!lexeme) return std::nullopt;
  }
  if (lexeme->lexeme.kind != LexemeKind::Number) return std::nullopt;
  std::optional<Integer> value = integer_value(*lexeme->lexeme.number);
  if (!value) return std::nullopt;
  const std::optional<std::size_t> end = read_close_parens(text, lexeme->end, open.count);
  if (!end) return std::nullopt;
  return IntegerRead{negative ? value->negated() : std::move(*value), *end};
}

}  // namespace tarnwick::override
