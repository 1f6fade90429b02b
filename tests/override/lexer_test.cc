#include "override/lexer.h"

#include <gtest/gtest.h>

#include <unicode/uchar.h>
#include <string>

#include "override/char_class.h"
#include "override/test_support.h"

namespace tarnwick::override {
namespace {

using testing::describe;

TEST(CharClassTest, WhiteSpaceIsExactlyTheListedCodePoints) {
  const std::u32string listed =
      U"\t\n\v\f\r \u00A0\u1680\u2000\u2001\u2002\u2003\u2004\u2005\u2006\u2007\u2008\u2009"
      U"\u200A\u202F\u205F\u3000";
  ASSERT_EQ(listed.size(), 22u);
  std::size_t count = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const bool white = is_white_space(c);
    count += white ? 1 : 0;
    EXPECT_EQ(white, listed.find(c) != std::u32string::npos) << std::hex << static_cast<std::uint32_t>(c);
  }
  EXPECT_EQ(count, 22u);
  // Beyond the Latin range the set is the space separators.
  for (char32_t c = 0x378; c <= 0x10FFFF; ++c) {
    ASSERT_EQ(is_white_space(c), u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR)
        << std::hex << static_cast<std::uint32_t>(c);
  }
  EXPECT_FALSE(is_white_space(0x110000));
}

TEST(CharClassTest, AsciiClassesAreTheFixedLists) {
  const std::u32string_view punctuation = U",;()[]{}`";
  const std::u32string_view symbols = U"!#$%&*+-./:<=>?^|~@\\";
  for (char32_t c = 0; c < 128; ++c) {
    const bool letter = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    const bool digit = c >= U'0' && c <= U'9';
    SCOPED_TRACE(static_cast<int>(c));
    EXPECT_EQ(is_punctuation_char(c), punctuation.find(c) != std::u32string_view::npos);
    EXPECT_EQ(is_symbol_char(c), symbols.find(c) != std::u32string_view::npos);
    EXPECT_EQ(is_letter(c), letter);
    EXPECT_EQ(is_identifier_char(c), letter || digit || c == U'_' || c == U'\'');
  }
}

TEST(CharClassTest, CategoriesBeyondAsciiComeFromTheCharacterDatabase) {
  EXPECT_TRUE(is_symbol_char(U'\u2212'));   // minus sign, Sm
  EXPECT_TRUE(is_symbol_char(U'\u00A7'));   // section sign, Po
  EXPECT_TRUE(is_symbol_char(U'\u20AC'));   // euro sign, Sc
  EXPECT_TRUE(is_symbol_char(U'\u2014'));   // em dash, Pd
  EXPECT_FALSE(is_symbol_char(U'\u00AB'));  // left guillemet, Pi
  EXPECT_TRUE(is_letter(U'\u00E9'));
  EXPECT_TRUE(is_letter(U'\u4E2D'));
  EXPECT_FALSE(is_letter(U'\u0663'));
  EXPECT_TRUE(is_identifier_char(U'\u0663'));  // Arabic-Indic digit three, Nd
  EXPECT_TRUE(is_identifier_char(U'\u0301'));  // combining acute accent, Mn
  EXPECT_TRUE(is_identifier_char(U'\u2167'));  // Roman numeral eight, Nl
  EXPECT_FALSE(is_identifier_char(U'\u200B'));
  EXPECT_FALSE(is_letter(0xD800));
  EXPECT_FALSE(is_symbol_char(0x110000));
}

TEST(LexerTest, ReadLexemeCutsOneLexemeOfEachKind) {
  struct Case {
    std::u32string text;
    LexemeKind kind;
    std::u32string lexeme_text;
  };
  const Case cases[] = {
      {U"", LexemeKind::Eof, U""},
      {U"{x", LexemeKind::Punc, U"{"},
      {U"}}", LexemeKind::Punc, U"}"},
      {U",,", LexemeKind::Punc, U","},
      {U"((", LexemeKind::Punc, U"("},
      {U"`a", LexemeKind::Punc, U"`"},
      {U"=5", LexemeKind::Punc, U"="},
      {U"= -5", LexemeKind::Punc, U"="},
      {U"=(-5)", LexemeKind::Punc, U"="},
      {U"=-5", LexemeKind::Symbol, U"=-"},
      {U"==", LexemeKind::Symbol, U"=="},
      {U"=>", LexemeKind::Punc, U"=>"},
      {U"->x", LexemeKind::Punc, U"->"},
      {U"<-", LexemeKind::Punc, U"<-"},
      {U"..", LexemeKind::Punc, U".."},
      {U"...", LexemeKind::Symbol, U"..."},
      {U"::", LexemeKind::Punc, U"::"},
      {U"\\", LexemeKind::Punc, U"\\"},
      {U"|", LexemeKind::Punc, U"|"},
      {U"@x", LexemeKind::Punc, U"@"},
      {U"~", LexemeKind::Punc, U"~"},
      {U"-7", LexemeKind::Symbol, U"-"},
      {U"--7", LexemeKind::Symbol, U"--"},
      {U"+7", LexemeKind::Symbol, U"+"},
      {U".5", LexemeKind::Symbol, U"."},
      {U"\u22127", LexemeKind::Symbol, U"\u2212"},
      {U"-\u2212", LexemeKind::Symbol, U"-\u2212"},
      {U"lb=5", LexemeKind::Ident, U"lb"},
      {U"lbx", LexemeKind::Ident, U"lbx"},
      {U"lb'", LexemeKind::Ident, U"lb'"},
      {U"_000", LexemeKind::Ident, U"_000"},
      {U"Override_enc_int{", LexemeKind::Ident, U"Override_enc_int"},
      {U"Tarnwick.Override", LexemeKind::Ident, U"Tarnwick"},
      {U"\u00E9t\u00E9\u0301\u0663 x", LexemeKind::Ident, U"\u00E9t\u00E9\u0301\u0663"},
      {U"7", LexemeKind::Number, U"7"},
      {U"007,", LexemeKind::Number, U"007"},
      {U"0x1Fg", LexemeKind::Number, U"0x1F"},
      {U"0X1f", LexemeKind::Number, U"0X1f"},
      {U"0o17", LexemeKind::Number, U"0o17"},
      {U"0O178", LexemeKind::Number, U"0O17"},
      {U"0b101", LexemeKind::Number, U"0"},
      {U"1_000", LexemeKind::Number, U"1"},
      {U"0x", LexemeKind::Number, U"0"},
      {U"0xg", LexemeKind::Number, U"0"},
      {U"0o8", LexemeKind::Number, U"0"},
      {U"00x5", LexemeKind::Number, U"00"},
      {U"08", LexemeKind::Number, U"08"},
      {U"7.", LexemeKind::Number, U"7"},
      {U"7.x", LexemeKind::Number, U"7"},
      {U"7.5.3", LexemeKind::Number, U"7.5"},
      {U"1e", LexemeKind::Number, U"1"},
      {U"1e+", LexemeKind::Number, U"1"},
      {U"1e-x", LexemeKind::Number, U"1"},
      {U"1e3", LexemeKind::Number, U"1e3"},
      {U"1E+2", LexemeKind::Number, U"1E+2"},
      {U"7.0e-12x", LexemeKind::Number, U"7.0e-12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.text));
    const std::optional<LexemeRead> read = read_lexeme(c.text, 0);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->lexeme.kind, c.kind);
    EXPECT_EQ(describe(read->lexeme.text), describe(c.lexeme_text));
    EXPECT_EQ(read->end, c.lexeme_text.size());
    EXPECT_EQ(read->lexeme.number.has_value(), c.kind == LexemeKind::Number);
  }
}

TEST(LexerTest, ReadLexemeRefusesCharactersThatBeginNoLexeme) {
  const std::u32string refused[] = {
      U"'a'",
      U"\"s\"",
      U" x",
      U"\tx",
      U"\u00A0",
      U"\u0085",
      U"\u180E",
      U"\u200B",
      U"\u2028",
      U"\u2029",
      U"\uFEFF",
      U"\u0663",
      U"\u0301",
      U"\u00AB",
      U"\u2167",
      U"\x01",
      U"\x7F",
      U"\uFFFF",
      U"\U000E0001",
      std::u32string(1, 0xD800),
      std::u32string(1, 0x110000),
  };
  for (const std::u32string& text : refused) {
    EXPECT_FALSE(read_lexeme(text, 0).has_value()) << describe(text);
  }
}

TEST(LexerTest, ReadLexemeAtTheEndYieldsEofWithoutMoving) {
  const std::u32string text = U"ab";
  const std::optional<LexemeRead> read = read_lexeme(text, 2);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->lexeme.kind, LexemeKind::Eof);
  EXPECT_EQ(read->end, 2u);
}

TEST(LexerTest, NumbersHaveTheirShapeAndIntegerValue) {
  struct Case {
    std::u32string text;
    bool prefixed;
    int radix;                         // for a prefixed number
    std::optional<std::string> value;  // the integer value, in decimal
  };
  const Case cases[] = {
      {U"0x1F", true, 16, "31"},
      {U"0Xff", true, 16, "255"},
      {U"0o17", true, 8, "15"},
      {U"0O0", true, 8, "0"},
      {U"007", false, 0, "7"},
      {U"123456789012345678901234567890", false, 0, "123456789012345678901234567890"},
      {U"0x10000000000000000", true, 16, "18446744073709551616"},
      {U"7.0", false, 0, std::nullopt},
      {U"7.5", false, 0, std::nullopt},
      {U"1e3", false, 0, std::nullopt},
      {U"1E+2", false, 0, std::nullopt},
      {U"1e-2", false, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.text));
    const std::optional<LexemeRead> read = read_lexeme(c.text, 0);
    ASSERT_TRUE(read && read->lexeme.number);
    const Number& number = *read->lexeme.number;
    ASSERT_EQ(std::holds_alternative<MkNumber>(number), c.prefixed);
    if (c.prefixed) {
      EXPECT_EQ(std::get<MkNumber>(number).radix, c.radix);
    }
    const std::optional<Integer> value = integer_value(number);
    ASSERT_EQ(value.has_value(), c.value.has_value());
    if (value) {
      EXPECT_EQ(value->to_decimal(), *c.value);
    }
  }
}

TEST(LexerTest, DecimalPartsAreCutApart) {
  const std::u32string text = U"12.034E-0056";
  const std::optional<LexemeRead> read = read_lexeme(text, 0);
  ASSERT_TRUE(read && read->lexeme.number);
  const auto& decimal = std::get<MkDecimal>(*read->lexeme.number);
  EXPECT_EQ(describe(decimal.digits), "12");
  ASSERT_TRUE(decimal.fraction.has_value());
  EXPECT_EQ(describe(*decimal.fraction), "034");
  ASSERT_TRUE(decimal.exponent.has_value());
  EXPECT_EQ(*decimal.exponent, Integer(-56));

  const std::u32string no_fraction = U"9e7";
  const std::optional<LexemeRead> exp_only = read_lexeme(no_fraction, 0);
  ASSERT_TRUE(exp_only && exp_only->lexeme.number);
  const auto& d = std::get<MkDecimal>(*exp_only->lexeme.number);
  EXPECT_FALSE(d.fraction.has_value());
  EXPECT_EQ(d.exponent, std::optional<Integer>(Integer(7)));
  EXPECT_EQ(std::get<MkNumber>(*read_lexeme(U"0x0aF", 0)->lexeme.number).digits, U"0aF");
}

TEST(LexerTest, SkipWhiteSpaceStopsAtTheFirstOtherCharacter) {
  struct Case {
    std::u32string text;
    std::size_t from;
    std::size_t expected;
  };
  const Case cases[] = {
      {U"", 0, 0},        {U"x", 0, 0},       {U" \t\r\n\v\fx", 0, 6}, {U"\u00A0\u3000\u2000x", 0, 3},
      {U"   ", 0, 3},     {U"a  b", 1, 3},    {U"\u0085x", 0, 0},      {U" \u200Bx", 0, 1},
      {U" \u2028", 0, 1}, {U" \uFEFF", 0, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(skip_white_space(c.text, c.from), c.expected) << describe(c.text);
  }
}

TEST(LexerTest, ExpectLexemeMatchesKindAndWholeText) {
  struct Case {
    std::u32string text;
    LexemeKind kind;
    std::u32string expected;
    std::optional<std::size_t> end;
  };
  const Case cases[] = {
      {U"  lb = 5", LexemeKind::Ident, U"lb", 4},
      {U"lb=5", LexemeKind::Ident, U"lb", 2},
      {U"\u3000\u00A0{", LexemeKind::Punc, U"{", 3},
      {U" = -5", LexemeKind::Punc, U"=", 2},
      {U"=(-5)", LexemeKind::Punc, U"=", 1},
      {U"=-5", LexemeKind::Punc, U"=", std::nullopt},
      {U"==", LexemeKind::Punc, U"=", std::nullopt},
      {U"=>", LexemeKind::Punc, U"=", std::nullopt},
      {U"lbx", LexemeKind::Ident, U"lb", std::nullopt},
      {U"lb'", LexemeKind::Ident, U"lb", std::nullopt},
      {U"LB", LexemeKind::Ident, U"lb", std::nullopt},
      {U"l", LexemeKind::Ident, U"lb", std::nullopt},
      {U"lb", LexemeKind::Symbol, U"lb", std::nullopt},
      {U"", LexemeKind::Punc, U"}", std::nullopt},
      {U"   ", LexemeKind::Ident, U"lb", std::nullopt},
      {U"\u200B{", LexemeKind::Punc, U"{", std::nullopt},
      {U"\uFEFF{", LexemeKind::Punc, U"{", std::nullopt},
      {U"\"lb\"", LexemeKind::Ident, U"lb", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(expect_lexeme(c.text, 0, c.kind, c.expected), c.end) << describe(c.text);
  }
}

// Integer texts that are read, with the value and the index where the rest begins.
struct IntegerCase {
  std::u32string text;
  std::string value;
  std::size_t end;
};

TEST(ReadIntegerTest, ReadsTheValueAndLeavesTheRest) {
  const IntegerCase cases[] = {
      {U"0", "0", 1},
      {U"007", "7", 3},
      {U"-7", "-7", 2},
      {U"- 7", "-7", 3},
      {U"\t-\t7", "-7", 4},
      {U"(7)", "7", 3},
      {U"((-7))", "-7", 6},
      {U" ( - 7 ) ", "-7", 8},
      {U"0x1F", "31", 4},
      {U"0X1f", "31", 4},
      {U"0o17", "15", 4},
      {U"0O17", "15", 4},
      {U"-0x10", "-16", 5},
      {U"08", "8", 2},
      {U"123456789012345678901234567890", "123456789012345678901234567890", 30},
      {U"-123456789012345678901234567890", "-123456789012345678901234567890", 31},
      {U"18446744073709551616", "18446744073709551616", 20},
      {U"-9223372036854775808", "-9223372036854775808", 20},
      {U"-0", "0", 2},
      {U"\u00A0\u30007\u3000", "7", 3},
      {U"7\r", "7", 1},
      // A number ends where its digits end; what follows is the rest.
      {U"0b101", "0", 1},
      {U"1_000", "1", 1},
      {U"0x", "0", 1},
      {U"0xg", "0", 1},
      {U"0o8", "0", 1},
      {U"00x5", "0", 2},
      {U"0x1g", "1", 3},
      {U"7.", "7", 1},
      {U"1e", "1", 1},
      {U"7 ", "7", 1},
      {U"(7))", "7", 3},
      {U"7 )", "7", 1},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(describe(c.text));
    const std::optional<IntegerRead> read = read_integer(c.text, 0);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->value.to_decimal(), c.value);
    EXPECT_EQ(read->end, c.end);
  }
}

TEST(ReadIntegerTest, RefusesTextsThatAreNoInteger) {
  const std::u32string refused[] = {
      U"+7",  U"7.0",  U"7.5",   U"1e3",     U"1E3",     U"1e+3",    U"--7",     U"- -7", U"-(7)", U"()",
      U"(7",  U"((7)", U"( 7 ",  U"",        U"   ",     U"\u0663",  U"\u22127", U"x",    U"-",    U"- ",
      U"(-)", U"'7'",  U"\"7\"", U"\u200B7", U"\uFEFF7", U"\u00857", U"\u20287", U")7",
  };
  for (const std::u32string& text : refused) {
    EXPECT_FALSE(read_integer(text, 0).has_value()) << describe(text);
  }
}

TEST(ReadIntegerTest, StartsAtTheGivenIndex) {
  const std::u32string text = U"lb = -12, ub";
  const std::optional<IntegerRead> read = read_integer(text, 4);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->value, Integer(-12));
  EXPECT_EQ(read->end, 8u);
}

TEST(ReadIntegerTest, AMillionDigitsReadExactly) {
  std::u32string text = U"-9";
  text.append(999'998, U'0');
  text.append(U"1 rest");
  const std::optional<IntegerRead> read = read_integer(text, 0);
  ASSERT_TRUE(read.has_value());
  const std::string decimal = read->value.to_decimal();
  ASSERT_EQ(decimal.size(), 1'000'001u);  // the sign and a million digits
  EXPECT_EQ(decimal.substr(0, 3), "-90");
  EXPECT_EQ(decimal.back(), '1');
  EXPECT_EQ(read->end, text.size() - 5);

  std::u32string hex = U"0x1";
  hex.append(999'999, U'0');
  const std::optional<IntegerRead> hex_read = read_integer(hex, 0);
  ASSERT_TRUE(hex_read.has_value());
  EXPECT_EQ(hex_read->value, Integer(mpz_class(1) << (4 * 999'999)));
}

TEST(ReadIntegerTest, AnyDepthOfParentheses) {
  constexpr std::size_t depth = 1'000'000;
  const std::u32string open(depth, U'(');
  const std::u32string close(depth, U')');

  const std::u32string balanced = open + U" -0x7f" + close + U" x";
  const std::optional<IntegerRead> read = read_integer(balanced, 0);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->value, Integer(-127));
  EXPECT_EQ(read->end, balanced.size() - 2);

  const std::u32string spaced = [&] {
    std::u32string t;
    for (std::size_t i = 0; i < depth; ++i) t += U" (";
    t += U"5";
    for (std::size_t i = 0; i < depth; ++i) t += U" )";
    return t;
  }();
  const std::optional<IntegerRead> spaced_read = read_integer(spaced, 0);
  ASSERT_TRUE(spaced_read.has_value());
  EXPECT_EQ(spaced_read->value, Integer(5));
  EXPECT_EQ(spaced_read->end, spaced.size());

  EXPECT_FALSE(read_integer(open + U"7" + close.substr(1), 0).has_value());
  EXPECT_FALSE(read_integer(open + close, 0).has_value());
  const std::u32string extra = open.substr(1) + U"7" + close;
  const std::optional<IntegerRead> extra_read = read_integer(extra, 0);
  ASSERT_TRUE(extra_read.has_value());
  EXPECT_EQ(extra_read->end, extra.size() - 1);  // the unmatched ")" is the rest
}

}  // namespace
}  // namespace tarnwick::override
