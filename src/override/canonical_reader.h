// A fast reader for the record form exactly as the printer writes it.
#pragma once

#include <optional>
#include <string_view>

#include "override/override.h"

namespace tarnwick::override {

// The record of `line` when it holds exactly the printer's text of a record at precedence 0
// (decimal values, "-" before a negative one), followed by nothing but ASCII white space;
// nothing for any other line, which the full reader then decides. Every line it reads, the
// full reader reads into an equal record.
std::optional<Override> read_canonical_override(std::string_view line);

}  // namespace tarnwick::override
