#include "override/hashing.h"

#include <cstdint>

namespace tarnwick::override {
namespace {

// The 64-bit finaliser of splitmix64: a bijection that spreads every input bit over all bits.
std::uint64_t mix(std::uint64_t x) noexcept {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  x ^= x >> 31;
  return x;
}

}  // namespace

std::size_t override_hash(const Override& record) noexcept {
  // Each step maps the field's hash one-to-one for a given state, and the state depends on the
  // variant and on every field before, so the position of a value counts too.
  std::uint64_t h = mix(0x9e3779b97f4a7c15ULL + record.index());
  for (const Integer* field : {&lb(record), &ub(record), &third_field(record), &length(record)}) {
    h = mix(h ^ static_cast<std::uint64_t>(field->hash()));
  }
  return static_cast<std::size_t>(h);
}

}  // namespace tarnwick::override
