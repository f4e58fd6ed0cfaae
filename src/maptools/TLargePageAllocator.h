#pragma once

#include <cstddef>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

// An allocator for long arrays that are read and written all over, such as lists
// being sorted: blocks of kLargeBlock bytes or more are mapped on their own and,
// where the system offers it, backed by large pages, which spares the address
// translation most of its misses. Smaller blocks come from operator new. Throws
// std::bad_alloc when a block cannot be had.
template <class T>
class TLargePageAllocator {
 public:
  using value_type = T;
  static constexpr std::size_t kLargeBlock = std::size_t{1} << 21;

  TLargePageAllocator() = default;
  template <class U>
  TLargePageAllocator(const TLargePageAllocator<U>&) {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    const std::size_t bytes = n * sizeof(T);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kLargeBlock) {
      void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (block == MAP_FAILED) throw std::bad_alloc();
      ::madvise(block, bytes, MADV_HUGEPAGE);  // a hint: refused, the block still serves
      return static_cast<T*>(block);
    }
#endif
    return static_cast<T*>(::operator new(bytes));
  }

  void deallocate(T* block, std::size_t n) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (n * sizeof(T) >= kLargeBlock) {
      ::munmap(block, n * sizeof(T));
      return;
    }
#endif
    ::operator delete(block);
  }

  template <class U>
  bool operator==(const TLargePageAllocator<U>&) const {
    return true;
  }
  template <class U>
  bool operator!=(const TLargePageAllocator<U>&) const {
    return false;
  }
};
