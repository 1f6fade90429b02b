// Storage for texts kept for a whole run, each followed by padding.
#pragma once

#include <cassert>
#include <cstddef>
#include <memory>
#include <vector>

#include "support/large_array.h"
#include "support/padded_text.h"

namespace brackwen {

// Bytes kept for a whole run, in large chunks that never move, each chunk followed by
// `kTextPadding` bytes, so that every text stored in it is padded.
class PaddedArena {
 public:
  // Room for `bound` bytes, after those used in the last chunk or in a new one; a text copied
  // in with `put_padded` may write into the padding after the room.
  unsigned char* room(std::size_t bound) {
    if (bound > last_size_ - used_) return new_chunk(bound);
    return last_ + used_;
  }
  // Takes the first `n` bytes of the room last given as used.
  void use(std::size_t n) noexcept { used_ += n; }
  // The text of `length` bytes at `p`, which were stored in this arena.
  PaddedText text(const unsigned char* p, std::size_t length) const noexcept {
    assert(holds(p, length));
    return PaddedText(reinterpret_cast<const char*>(p), length);
  }

 private:
  // Room for `bound` bytes at the start of a new chunk.
  unsigned char* new_chunk(std::size_t bound);
  // Whether a chunk holds the `length` bytes at `p` and the padding after them.
  bool holds(const unsigned char* p, std::size_t length) const noexcept;

  std::vector<std::unique_ptr<void, LargeAllocation>> chunks_;
  std::vector<std::size_t> chunk_sizes_;  // the bytes of each chunk before its padding
  unsigned char* last_ = nullptr;         // the last chunk
  std::size_t last_size_ = 0;             // its bytes before its padding
  std::size_t used_ = 0;                  // the bytes used in it
};

}  // namespace brackwen
