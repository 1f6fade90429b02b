// A fast reader for the record form exactly as the printer writes it.
#pragma once

#include <array>
#include <string_view>

#include "override/override.h"

namespace tarnwick::override {

// What a line in the printer's own form holds: the variant, and the texts of the four values
// in field order, each exactly the decimal text of its value (no leading zero, no "-0").
struct CanonicalTexts {
  bool encoder;
  std::array<std::string_view, 4> values;
};

// The length of the printer's text of a record at precedence 0 that begins `text`, with `texts`
// pointing into it; 0 when `text` begins otherwise.
std::size_t read_canonical_record(std::string_view text, CanonicalTexts& texts);

// Whether `line` is the printer's text of a record at precedence 0 and then only ASCII white
// space, with `texts` pointing into it if so. The full reader reads such a line as a record of
// that variant with those decimal texts.
bool read_canonical_texts(std::string_view line, CanonicalTexts& texts);

}  // namespace tarnwick::override
