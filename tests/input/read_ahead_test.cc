#include "input/read_ahead.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "input/held_lines.h"
#include "input/line_reader.h"
#include "input/override_index.h"
#include "io/locale_text.h"

namespace brackwen {
namespace {

// The texts of `text` as strings, with its variant first.
std::array<std::string, 5> texts_of(const OverrideText& text) {
  return {text.encoder ? "enc" : "dec", std::string(text.values[0]), std::string(text.values[1]),
          std::string(text.values[2]), std::string(text.values[3])};
}

// The printer's text of an encoder whose fields are all `n`.
std::string printed(int n) {
  const std::string v = std::to_string(n);
  return "Override_enc_int {lb = " + v + ", ub = " + v + ", dst_i = " + v + ", length = " + v + "}";
}

TEST(ReadAheadTest, ReadsPrintedLinesAheadAndStopsAtAnyOtherUntilItIsTaken) {
  // Twelve lines, more than the ring holds, all at hand at once; the fifth is in another form.
  std::vector<std::string> lines;
  for (int n = 0; n < 12; ++n) lines.push_back(n == 4 ? " ( " + printed(n) + " ) " : printed(n));
  std::string text;
  for (const std::string& line : lines) text += line + "\n";

  // Taken as the pipeline takes them: a line read ahead from the ring, any other line read in
  // its turn, and more lines read ahead after each.
  HeldLines input(text, text.size(), 32);
  OverrideIndex index(7);
  LineReader reader{LocaleDecoder()};
  ReadAhead ahead;
  std::vector<bool> was_ahead;
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    const std::optional<PaddedText> taken = input.next_line();
    ASSERT_TRUE(taken.has_value());
    was_ahead.push_back(ahead.holds_taken_line());
    if (ahead.holds_taken_line()) {
      const PreparedOverride& read = ahead.take();
      EXPECT_EQ(texts_of(read.text), texts_of(reader.read(*taken)));
      EXPECT_EQ(read.hash, index.prepare(read.text));
    } else {
      ahead.pass();
    }
    ahead.fill(input, index);
  }
  EXPECT_FALSE(input.next_line().has_value());
  const std::vector<bool> expected = {false, true, true, true, false, true, true, true, true, true, true, true};
  EXPECT_EQ(was_ahead, expected);
}

}  // namespace
}  // namespace brackwen
