// A seed for the keyed hashes of a run.
#pragma once

#include <cstdint>

namespace brackwen {

// A value that the input of a run cannot foresee: from the system's random source, or, when
// that gives nothing at once, from the clocks, the process id and the addresses of the run.
// Never fails.
std::uint64_t random_seed() noexcept;

// A one-to-one scramble of a word in which every bit of the result depends on every bit of `v`,
// for spreading a seed into keys.
std::uint64_t scramble(std::uint64_t v) noexcept;

}  // namespace brackwen
