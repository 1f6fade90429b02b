// Fuzzes `read_integer` on decoded text (see fuzz_text.h for how bytes become text).
//
// Checked on every input: the reader never reads past the text; a value read is found again
// when only the text up to the reader's end is given, and its decimal text reads back into the
// same value.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_text.h"
#include "fuzz/require.h"
#include "override/lexer.h"

namespace {

using tarnwick::override::IntegerRead;
using tarnwick::override::read_integer;
using brackwen::fuzz::require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u32string text =
      brackwen::fuzz::decode_lenient(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::optional<IntegerRead> read = read_integer(text, 0);
  if (!read) return 0;
  require(read->end > 0 && read->end <= text.size());

  // The reader looks at nothing after its end.
  const std::optional<IntegerRead> prefix = read_integer(std::u32string_view(text).substr(0, read->end), 0);
  require(prefix && prefix->value == read->value && prefix->end == read->end);

  // The decimal text of the value is an integer text of the same value.
  const std::string decimal = read->value.to_decimal();
  const std::u32string wide(decimal.begin(), decimal.end());
  const std::optional<IntegerRead> again = read_integer(wide, 0);
  require(again && again->value == read->value && again->end == wide.size());
  return 0;
}
