// An override as the script writes it.
#pragma once

#include <array>
#include <string_view>

namespace brackwen {

// An override's variant and the decimal texts of its fields (lb, ub, the third field, length),
// each exactly as the script writes the value. Two overrides are equal exactly when their
// variants and texts are.
struct OverrideText {
  bool encoder;
  std::array<std::string_view, 4> fields;
};

}  // namespace brackwen
