// A hash of override records that agrees with their value equality, for hashed containers.
#pragma once

#include <cstddef>

#include "override/ordering.h"
#include "override/override.h"

namespace tarnwick::override {

// A hash of `record` that agrees with `override_equal`, well mixed in every bit. It is not keyed,
// so input could be made to collide in it: the program finds duplicates by their texts instead.
std::size_t override_hash(const Override& record) noexcept;

// `override_hash` as a function object, for hashed containers.
struct OverrideHasher {
  std::size_t operator()(const Override& record) const noexcept { return override_hash(record); }
};

// `override_equal` as a function object, for hashed containers.
struct OverrideEqualTo {
  bool operator()(const Override& a, const Override& b) const noexcept { return override_equal(a, b); }
};

}  // namespace tarnwick::override
