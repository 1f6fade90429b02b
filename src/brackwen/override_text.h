// An override as the script writes it.
#pragma once

#include "override/canonical_reader.h"

namespace brackwen {

// An override's variant and the decimal texts of its fields (lb, ub, the third field, length),
// each exactly as the script writes the value. Two overrides are equal exactly when their
// variants and texts are.
using OverrideText = tarnwick::override::Canonical_texts;

}  // namespace brackwen
