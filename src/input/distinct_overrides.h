// The distinct overrides of the input, as the input pipeline gives them to the script.
#pragma once

#include <cstddef>

#include "input/override_text.h"

namespace brackwen {

// The distinct overrides of the input in input order, one at a time: the input pipeline
// (distinct_lines.h) produces them, the script's walk over its blocks takes them.
class DistinctOverrides {
 public:
  virtual ~DistinctOverrides() = default;
  // Seeks the next distinct override; false when the input holds no further one.
  virtual bool advance() = 0;
  // The distinct override with index `index`, one that `advance` has produced, as the script
  // writes it; it is read from its line now if it has not been read yet.
  virtual OverrideText at(std::size_t index) = 0;
  // Whether that override is an `Override_enc_int`.
  virtual bool is_enc_int(std::size_t index) = 0;
};

}  // namespace brackwen
