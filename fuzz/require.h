// The check that the fuzz targets make of what they find.
#pragma once

#include <cstdlib>

namespace brackwen::fuzz {

// Stops the run when `ok` is false, so that libFuzzer keeps the input.
inline void require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace brackwen::fuzz
