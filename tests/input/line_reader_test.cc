#include "input/line_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "override/record_strings.h"
#include "support/failure.h"
#include "support/padded_text.h"

namespace brackwen {
namespace {

using tarnwick::override::testing::RecordStrings;
using tarnwick::override::testing::strings_of;

// A line and the override it holds, as the script writes it.
struct ReadCase {
  std::string line;
  RecordStrings override;
};

TEST(LineReaderTest, ReadsThePrintedFormAndEveryOtherIntoTheSameTexts) {
  const ReadCase cases[] = {
      // The printer's own form, which the fast reader takes.
      {"Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}", {true, {"0", "255", "3", "8"}}},
      {"Override_dec_int {lb = -7, ub = 18446744073709551616, src_i = 0, length = 1} \r",
       {false, {"-7", "18446744073709551616", "0", "1"}}},
      // Other forms, which the full reader takes, written as the printer would write them.
      {"Override_enc_int{lb=0,ub=0xFF,dst_i=0o3,length=(8)}", {true, {"0", "255", "3", "8"}}},
      {" ( Override_dec_int {lb = - 7, ub = 0x10000000000000000, src_i = -0, length = 01} ) ",
       {false, {"-7", "18446744073709551616", "0", "1"}}},
      {"Override_enc_int {lb = 00, ub = 255, dst_i = 3, length = 8}", {true, {"0", "255", "3", "8"}}},
  };
  LineReader reader{LocaleDecoder()};
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.line);
    const PaddedString line(c.line);
    EXPECT_EQ(strings_of(reader.read(line.text())), c.override);
  }
}

// A line that holds no override, and the message of the failure that reading it ends with.
struct FailCase {
  std::string line;
  std::string message;
};

TEST(LineReaderTest, FailsWithTheFirstFaultItsReadingMeets) {
  const std::string invalid = "standard input: invalid byte sequence";
  const std::string printed = "Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}";
  const FailCase cases[] = {
      {"", kNoParse},           {" \t\r", kNoParse},         {printed + ";", kNoParse},      {"garbage \xff", kNoParse},
      {"garbage\xff", invalid}, {printed + "\xff", invalid}, {printed + " x\xff", kNoParse},
  };
  LineReader reader{LocaleDecoder()};
  for (const FailCase& c : cases) {
    SCOPED_TRACE(c.line);
    const PaddedString line(c.line);
    try {
      reader.read(line.text());
      ADD_FAILURE() << "read";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace brackwen
