// A seed for the keyed hashes of a run.
#pragma once

#include <cstdint>

namespace brackwen {

// A value that the input of a run cannot foresee: from the system's random source, or, when
// that gives nothing at once, from the clocks, the process id and the addresses of the run.
// Never fails.
std::uint64_t random_seed() noexcept;

}  // namespace brackwen
