// The kept overrides of a run, in a compact form, with a hash index by value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "input/override_text.h"
#include "support/large_array.h"
#include "support/padded_arena.h"

namespace brackwen {

// The overrides kept in order of arrival, never two equal ones, each stored as its variant and
// the decimal texts of its fields. An open-addressing index holds, per slot, the hash of a kept
// override beside its position, so that a probe looks at one cache line and reads a stored
// override only when the whole hash matches. Stored overrides never move. The hash is keyed by
// a seed, so that which overrides share a hash cannot be known from the overrides alone.
class OverrideIndex {
 public:
  // An empty index whose hash is keyed by `seed`.
  explicit OverrideIndex(std::uint64_t seed);
  OverrideIndex(const OverrideIndex&) = delete;
  OverrideIndex& operator=(const OverrideIndex&) = delete;
  // The hash of `o` for `insert`, which depends on the seed and on nothing past the ends of
  // the texts; it also has the memory that inserting `o` looks at fetched.
  std::uint32_t prepare(const OverrideText& o) const;
  // Keeps `o`, whose hash `prepare` gave, unless an equal override is kept already; true when
  // it was kept.
  bool insert(const OverrideText& o, std::uint32_t hash);
  // The kept override number `position`, counting from 0 in order of arrival; its texts stay
  // valid as long as the index.
  OverrideText operator[](std::size_t position) const;
  // Whether the kept override number `position` is an encoder's.
  bool is_enc_int(std::size_t position) const { return *records_[position] == 0; }

 private:
  // A slot: 0 when empty, else the hash in the high half and the position plus one in the low.
  using Slot = std::uint64_t;
  static Slot slot_of(std::uint32_t hash, std::size_t position) noexcept { return Slot{hash} << 32 | (position + 1); }
  // Where a hash's probe sequence starts.
  std::size_t home(std::uint32_t hash) const noexcept { return hash >> (32 - bits_); }
  // Keeps the form of `o` in the arena and its place in `records_`.
  void store(const OverrideText& o);
  // The stored field text at `p`; moves `p` past it.
  PaddedText get_text(const unsigned char*& p) const;
  void grow();

  std::uint64_t keys_[12];                    // the hash's keys, drawn from the seed
  PaddedArena arena_;                         // the kept forms
  LargeArray<const unsigned char*> records_;  // where each kept form begins
  std::unique_ptr<void, LargeAllocation> slot_memory_;
  Slot* slots_ = nullptr;
  unsigned bits_ = 0;  // the index has 2^bits_ slots
};

}  // namespace brackwen
