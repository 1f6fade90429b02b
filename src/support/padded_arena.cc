#include "support/padded_arena.h"

#include <algorithm>

namespace brackwen {
namespace {

constexpr std::size_t kChunkBytes = std::size_t{4} << 20;

}  // namespace

unsigned char* PaddedArena::new_chunk(std::size_t bound) {
  const std::size_t size = std::max(kChunkBytes, bound);
  chunks_.push_back(allocate_large(size + kTextPadding, false));
  chunk_sizes_.push_back(size);
  last_ = static_cast<unsigned char*>(chunks_.back().get());
  last_size_ = size;
  used_ = 0;
  return last_;
}

bool PaddedArena::holds(const unsigned char* p, std::size_t length) const noexcept {
  for (std::size_t i = 0; i < chunks_.size(); ++i) {
    const auto* const start = static_cast<const unsigned char*>(chunks_[i].get());
    if (p >= start && p <= start + chunk_sizes_[i] && length <= static_cast<std::size_t>(start + chunk_sizes_[i] - p)) {
      return true;
    }
  }
  return false;
}

}  // namespace brackwen
