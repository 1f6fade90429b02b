// A fast reader for the record form exactly as the printer writes it.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "override/override.h"

namespace tarnwick::override {

// What a line in the printer's own form holds: the variant, and the texts of the four values
// in field order, each exactly the decimal text of its value (no leading zero, no "-0").
struct Canonical_texts {
  bool encoder;
  std::array<std::string_view, 4> values;
};

// The texts of `line` when it holds exactly the printer's text of a record at precedence 0,
// followed by nothing but ASCII white space; nothing for any other line, which the full reader
// then decides. The views point into `line`.
std::optional<Canonical_texts> read_canonical_texts(std::string_view line);

// The record of such a line. Every line it reads, the full reader reads into an equal record.
std::optional<Override> read_canonical_override(std::string_view line);

}  // namespace tarnwick::override
