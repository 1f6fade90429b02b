#include "brackwen/large_array.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>

namespace brackwen {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// From this size on an array takes whole huge pages: the few small pages it would save cost
// more to fault in one by one than the huge page costs to clear.
constexpr std::size_t kHugeFrom = kHugePage / 2;

}  // namespace

void LargeAllocation::operator()(void* p) const noexcept { std::free(p); }

std::unique_ptr<void, LargeAllocation> allocate_large(std::size_t bytes, bool zero) {
  if (bytes >= kHugeFrom) {
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (p == nullptr) throw std::bad_alloc();
    madvise(p, rounded, MADV_HUGEPAGE);
    if (zero) std::memset(p, 0, bytes);
    return std::unique_ptr<void, LargeAllocation>(p);
  }
  void* p = zero ? std::calloc(1, bytes) : std::malloc(bytes);
  if (p == nullptr) throw std::bad_alloc();
  return std::unique_ptr<void, LargeAllocation>(p);
}

}  // namespace brackwen
