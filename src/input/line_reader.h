// Reading one line of the input into the override it holds, as the script writes it.
#pragma once

#include <string>

#include "input/override_text.h"
#include "io/locale_text.h"
#include "override/canonical_reader.h"
#include "support/padded_text.h"

namespace brackwen {

// Reads lines by the fast reader when they are in the printer's own form, and otherwise by
// decoding them and reading them whole with the full reader.
class LineReader {
 public:
  explicit LineReader(LocaleDecoder decoder) : decoder_(decoder) {}
  // The override that `line` holds; its texts view `line`, or this reader until the next call.
  // Throws a `Failure` when the line holds none.
  OverrideText read(PaddedText line);
  // Whether the fast reader may take lines: only where ASCII bytes stand for themselves.
  bool takes_printed_form() const noexcept { return decoder_.ascii_is_itself(); }
  // The decoder of the input.
  const LocaleDecoder& decoder() const noexcept { return decoder_; }

 private:
  LocaleDecoder decoder_;
  tarnwick::override::CanonicalTexts found_{};  // kept here, so that no fresh one is made per line
  PaddedString decimal_[4];                     // the field texts of the last line read in full
  std::string digits_;                          // the text of one of them as it is written
  std::u32string characters_;
};

}  // namespace brackwen
