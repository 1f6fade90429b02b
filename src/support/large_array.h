// Arrays that may grow large, in memory that the system may back with huge pages.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>

namespace brackwen {

// Frees memory from `allocate_large`.
struct LargeAllocation {
  std::size_t mapped = 0;  // the bytes mapped for it, or 0 when it came from `malloc`
  void operator()(void* p) const noexcept;
};
// `bytes` of memory for an array that may grow large, zeroed when `zero`. Pieces of 1 MiB
// and more are rounded up to huge pages of 2 MiB, aligned and advised for huge pages:
// touching fresh memory a small page at a time costs more than filling it. Zeroed ones are
// mapped fresh, which zeroes them; the others may reuse memory that was freed.
std::unique_ptr<void, LargeAllocation> allocate_large(std::size_t bytes, bool zero);

// A growing array of plain values in memory from `allocate_large`; it doubles when full.
template <class T>
class LargeArray {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  // Appends `value`.
  void push_back(const T& value) {
    if (size_ == capacity_) grow();
    data()[size_++] = value;
  }
  const T& operator[](std::size_t i) const { return data()[i]; }
  std::size_t size() const noexcept { return size_; }

 private:
  T* data() const noexcept { return static_cast<T*>(memory_.get()); }
  void grow() {
    const std::size_t capacity = capacity_ == 0 ? 1024 : capacity_ * 2;
    std::unique_ptr<void, LargeAllocation> memory = allocate_large(capacity * sizeof(T), false);
    if (size_ != 0) std::memcpy(memory.get(), memory_.get(), size_ * sizeof(T));
    memory_ = std::move(memory);
    capacity_ = capacity;
  }

  std::unique_ptr<void, LargeAllocation> memory_;
  std::size_t size_ = 0, capacity_ = 0;
};

}  // namespace brackwen
