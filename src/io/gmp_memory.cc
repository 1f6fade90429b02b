#include "io/gmp_memory.h"

#include <cstddef>
#include <cstdlib>

#include <gmp.h>

#include "io/abrupt_end.h"

namespace brackwen {
namespace {

// Allocates `size` bytes, or ends the run.
void* allocate(std::size_t size) {
  void* p = std::malloc(size);
  if (p == nullptr && size != 0) end_out_of_memory();
  return p;
}

// Moves the block at `p` to one of `size` bytes, or ends the run.
void* reallocate(void* p, std::size_t, std::size_t size) {
  void* q = std::realloc(p, size);
  if (q == nullptr && size != 0) end_out_of_memory();
  return q;
}

// Frees the block at `p`.
void release(void* p, std::size_t) { std::free(p); }

}  // namespace

void install_gmp_memory_functions() { mp_set_memory_functions(allocate, reallocate, release); }

}  // namespace brackwen
