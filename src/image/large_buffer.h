#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

namespace orbeline {

// Memory for picture-sized buffers. Blocks of 2 MiB and more are aligned to 2 MiB and
// offered to the kernel for transparent huge pages (where it takes them on request, the
// "madvise" mode): a screen-sized buffer is then first touched in a few dozen page faults
// instead of thousands, which is most of the cost of filling it. Smaller blocks are plain.
template <typename T>
struct LargePageAllocator {
  using value_type = T;
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;

  LargePageAllocator() = default;
  template <typename U>
  LargePageAllocator(const LargePageAllocator<U>&) {}  // NOLINT: converts like std::allocator

  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kHugePage) return static_cast<T*>(::operator new(bytes));
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr) throw std::bad_alloc();
    // Only the whole huge pages the buffer fills: a huge page around the tail would be
    // cleared whole for the few bytes used of it.
    ::madvise(memory, bytes / kHugePage * kHugePage, MADV_HUGEPAGE);  // a hint only
    return static_cast<T*>(memory);
  }
  void deallocate(T* memory, std::size_t n) {
    if (n * sizeof(T) < kHugePage) {
      ::operator delete(memory);
    } else {
      std::free(memory);
    }
  }
  template <typename U>
  bool operator==(const LargePageAllocator<U>&) const {
    return true;
  }
};

template <typename T>
using LargeVector = std::vector<T, LargePageAllocator<T>>;

}  // namespace orbeline
