#include "override/decoded_text.h"

#include <gtest/gtest.h>

#include <string>

#include "override/lexer.h"
#include "override/reader.h"
#include "override/test_support.h"

namespace tarnwick::override {
namespace {

using testing::describe;

// What the handler of a text that stops short throws.
struct Undecodable {};

[[noreturn]] void throw_undecodable() { throw Undecodable{}; }

// How reading a text that stops short, right after its characters, ends.
enum class Outcome { kRead, kNothing, kUndecodable };

// A text that stops short and how a reader's reading of it ends.
struct StopCase {
  std::u32string chars;
  Outcome outcome;
};

// How `read` ends on `chars` followed by a point that cannot be decoded.
template <class Read>
Outcome outcome_of(const std::u32string& chars, Read read) {
  try {
    return read(DecodedText(chars, throw_undecodable)) ? Outcome::kRead : Outcome::kNothing;
  } catch (const Undecodable&) {
    return Outcome::kUndecodable;
  }
}

TEST(DecodedTextTest, ARecordReaderNeedsThePointOnlyWhileItCanStillSucceed) {
  const StopCase cases[] = {
      // In the middle of a lexeme, or right after one whose end is not yet seen.
      {U"", Outcome::kUndecodable},
      {U"Override_enc", Outcome::kUndecodable},
      {U"Override_enc_int {lb = 1", Outcome::kUndecodable},
      {U"Override_enc_int {lb =", Outcome::kUndecodable},
      {U"Override_enc_int {lb = -", Outcome::kUndecodable},
      {U"Override_enc_int {lb = 7.", Outcome::kUndecodable},
      {U"Override_enc_int {lb = 0x", Outcome::kUndecodable},
      {U"Override_enc_int {lb = 1e+", Outcome::kUndecodable},
      {U"garbage", Outcome::kUndecodable},
      {U"Override_enc_int {lbx", Outcome::kUndecodable},
      // After a complete lexeme that may still continue the record.
      {U"Override_enc_int ", Outcome::kUndecodable},
      {U"Override_enc_int {", Outcome::kUndecodable},
      {U"Override_enc_int {lb = 0 ", Outcome::kUndecodable},
      {U"((", Outcome::kUndecodable},
      // After a complete lexeme that cannot: the reader fails before the point.
      {U"garbage ", Outcome::kNothing},
      {U"Override_enc_int (", Outcome::kNothing},
      {U"Override_enc_int {lb = 0;", Outcome::kNothing},
      {U"Override_enc_int {ub ", Outcome::kNothing},
      {U"Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8 )", Outcome::kNothing},
      // After a complete record, which the reader ends without looking further.
      {U"Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}", Outcome::kRead},
      {U"(Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}) ", Outcome::kRead},
  };
  for (const StopCase& c : cases) {
    EXPECT_EQ(outcome_of(c.chars, [](const DecodedText& text) { return read_override(text, 0).has_value(); }),
              c.outcome)
        << describe(c.chars);
  }
}

TEST(DecodedTextTest, TheIntegerReaderAndWhiteSpaceNeedThePointLikeAnyCharacter) {
  const StopCase integers[] = {
      {U"(12", Outcome::kUndecodable}, {U"( 12 ", Outcome::kUndecodable}, {U"(12)", Outcome::kRead},
      {U"x ", Outcome::kNothing},      {U"- x ", Outcome::kNothing},
  };
  for (const StopCase& c : integers) {
    EXPECT_EQ(outcome_of(c.chars, [](const DecodedText& text) { return read_integer(text, 0).has_value(); }), c.outcome)
        << describe(c.chars);
  }
  // Skipping white space looks at the point only when white space runs up to it.
  EXPECT_EQ(outcome_of(U"  ", [](const DecodedText& text) { return skip_white_space(text, 0) == 2; }),
            Outcome::kUndecodable);
  EXPECT_EQ(outcome_of(U" x", [](const DecodedText& text) { return skip_white_space(text, 0) == 1; }), Outcome::kRead);
  // A whole text ends where its characters do.
  EXPECT_EQ(read_lexeme(U"ab", 2)->lexeme.kind, LexemeKind::Eof);
}

}  // namespace
}  // namespace tarnwick::override
