#include "input/read_ahead.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "input/held_lines.h"
#include "input/override_index.h"
#include "override/record_strings.h"
#include "support/padded_text.h"

namespace brackwen {
namespace {

using tarnwick::override::testing::RecordStrings;
using tarnwick::override::testing::strings_of;

// The override of line `n`: an encoder's when `n` is even, a decoder's when odd, with four
// field values that differ from each other and from those of every other line.
RecordStrings record(int n) {
  return {n % 2 == 0,
          {std::to_string(-n), std::to_string(100 + n), std::to_string(200 + n), std::to_string(300 + n)}};
}

// The printer's text of `r`.
std::string printed(const RecordStrings& r) {
  const auto& [lb, ub, third, length] = r.second;
  return std::string(r.first ? "Override_enc_int {lb = " : "Override_dec_int {lb = ") + lb + ", ub = " + ub +
         (r.first ? ", dst_i = " : ", src_i = ") + third + ", length = " + length + "}";
}

// The hash that `index` gives `r`, from texts of the test's own.
std::uint32_t hash_of(const RecordStrings& r, const OverrideIndex& index) {
  const PaddedString values[4] = {PaddedString(r.second[0]), PaddedString(r.second[1]), PaddedString(r.second[2]),
                                  PaddedString(r.second[3])};
  return index.prepare({r.first, {values[0].text(), values[1].text(), values[2].text(), values[3].text()}});
}

TEST(ReadAheadTest, ReadsPrintedLinesAheadAndStopsAtAnyOtherUntilItIsTaken) {
  // Twelve lines, more than the ring holds, all at hand at once; the fifth is in another form,
  // and the eighth is in the printer's form with blanks after it.
  std::string text;
  for (int n = 0; n < 12; ++n) {
    const std::string line = printed(record(n));
    text += (n == 4 ? " ( " + line + " ) " : n == 7 ? line + " \t\r" : line) + "\n";
  }

  // Taken as the pipeline takes them: a line read ahead from the ring, any other line read in
  // its turn, and more lines read ahead after each.
  HeldLines input(text, text.size(), 32);
  OverrideIndex index(7);
  ReadAhead ahead;
  std::vector<bool> was_ahead;
  for (int n = 0; n < 12; ++n) {
    SCOPED_TRACE("line " + std::to_string(n));
    ASSERT_TRUE(input.next_line().has_value());
    was_ahead.push_back(ahead.holds_taken_line());
    if (ahead.holds_taken_line()) {
      const PreparedOverride& read = ahead.take();
      EXPECT_EQ(strings_of(read.text), record(n));
      EXPECT_EQ(read.hash, hash_of(record(n), index));
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
