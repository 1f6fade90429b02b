// Fuzzes `read_override` on decoded text at a context precedence taken from the first byte:
// the low four bits of that byte, less 2, so -2 to 13 ("2" gives 0, "=" gives 11, ">" gives
// 12); the other bytes are the text (see fuzz_text.h for how bytes become text).
//
// Checked on every input: the rest lies within the text; the record is found again when only
// the text up to the rest is given; the printer's text of the record at that precedence reads
// back into an equal record with nothing left; the record equals itself, orders equal to
// itself and hashes like its reread copy; the fast reader of the printer's form, given the
// same bytes, takes them only when the full reader reads them into a record of the same variant
// whose fields have the decimal texts that the fast reader gave.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_text.h"
#include "fuzz/require.h"
#include "override/canonical_reader.h"
#include "override/hashing.h"
#include "override/lexer.h"
#include "override/ordering.h"
#include "override/printer.h"
#include "override/reader.h"

namespace {

using namespace tarnwick::override;
using brackwen::fuzz::require;

// The text of the ASCII string `ascii`.
std::u32string widen(std::string_view ascii) { return std::u32string(ascii.begin(), ascii.end()); }

// Checks the record `read` read from `text` at `precedence`.
void check_record(std::u32string_view text, int precedence, const OverrideRead& read) {
  require(read.rest > 0 && read.rest <= text.size());

  const std::optional<OverrideRead> prefix = read_override(text.substr(0, read.rest), precedence);
  require(prefix && override_equal(prefix->value, read.value) && prefix->rest == read.rest);

  const std::u32string shown = widen(show_override(precedence, read.value, ""));
  const std::optional<OverrideRead> again = read_override(shown, precedence);
  require(again && again->rest == shown.size());
  require(override_equal(again->value, read.value));
  require(compare_override(again->value, read.value) == Ordering::kEqual);
  require(override_hash(again->value) == override_hash(read.value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int precedence = (data[0] & 0x0F) - 2;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::u32string text = brackwen::fuzz::decode_lenient(bytes);

  const std::optional<OverrideRead> read = read_override(text, precedence);
  if (read) check_record(text, precedence, *read);

  CanonicalTexts fast;
  if (read_canonical_texts(bytes, fast)) {
    const std::optional<OverrideRead> full = read_override(text, 0);
    require(full && skip_white_space(text, full->rest) == text.size());
    const Override& o = full->value;
    require(fast.encoder == is_enc_int(o));
    const Integer* fields[4] = {&lb(o), &ub(o), &third_field(o), &length(o)};
    for (std::size_t i = 0; i < 4; ++i) require(fast.values[i] == fields[i]->to_decimal());
  }
  return 0;
}
