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

// The length of the printer's text of a record at precedence 0 that `text` begins with, its
// texts, pointing into `text`, put in `texts`, in place; 0 when `text` begins otherwise.
std::size_t read_canonical_record(std::string_view text, CanonicalTexts& texts);

// Whether `line` holds exactly the printer's text of a record at precedence 0, followed by
// nothing but ASCII white space; if so its texts, pointing into `line`, are put in `texts`, in
// place. Other lines are left to the full reader. Every line it takes, the full reader reads
// into a record of the same variant whose fields have these decimal texts.
bool read_canonical_texts(std::string_view line, CanonicalTexts& texts);

}  // namespace tarnwick::override
