// An override as the script writes it.
#pragma once

#include <array>

#include "override/canonical_reader.h"
#include "support/padded_text.h"

namespace brackwen {

// An override's variant and the decimal texts of its fields (lb, ub, the third field, length),
// each exactly as the script writes the value, and padded. Two overrides are equal exactly when
// their variants and texts are.
struct OverrideText {
  bool encoder = true;
  std::array<PaddedText, 4> values;
};

// The override that the fast reader found in `line`, its texts viewing `line`.
inline OverrideText texts_in(PaddedText line, const tarnwick::override::CanonicalTexts& found) noexcept {
  return {
      found.encoder,
      {line.part(found.values[0]), line.part(found.values[1]), line.part(found.values[2]), line.part(found.values[3])}};
}

}  // namespace brackwen
