#include "support/random_seed.h"

#include <cerrno>
#include <ctime>

#include <sys/random.h>
#include <unistd.h>

namespace brackwen {
namespace {

// The nanoseconds of the clock `clock`.
std::uint64_t clock_word(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

// A seed for when the system's random source fails: the clocks, the process id and the
// addresses of the stack and the code, which differ from run to run where addresses are
// randomized.
std::uint64_t seed_from_the_run() {
  const int on_the_stack = 0;
  std::uint64_t seed = scramble(clock_word(CLOCK_REALTIME));
  seed = scramble(seed ^ clock_word(CLOCK_MONOTONIC));
  seed = scramble(seed ^ static_cast<std::uint64_t>(getpid()));
  seed = scramble(seed ^ reinterpret_cast<std::uintptr_t>(&on_the_stack));
  return scramble(seed ^ reinterpret_cast<std::uintptr_t>(&seed_from_the_run));
}

}  // namespace

std::uint64_t scramble(std::uint64_t v) noexcept {
  v = (v ^ (v >> 30)) * 0xbf58476d1ce4e5b9ULL;
  v = (v ^ (v >> 27)) * 0x94d049bb133111ebULL;
  return v ^ (v >> 31);
}

std::uint64_t random_seed() noexcept {
  std::uint64_t seed = 0;
  // Without waiting: a random source that is not ready yet must not hold the run up.
  for (;;) {
    const ssize_t got = getrandom(&seed, sizeof seed, GRND_NONBLOCK);
    if (got == static_cast<ssize_t>(sizeof seed)) return seed;
    if (got < 0 && errno == EINTR) continue;
    return seed_from_the_run();
  }
}

}  // namespace brackwen
