#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "TTwoThreads.h"

// Sorts items by a 64-bit key in ascending order: a least-significant-digit radix
// sort, on two threads for long lists (each sorts one half, then each merges one
// half of the output). Besides the items it needs one scratch array of their size.
// Items of equal keys may end in any order. Throws std::bad_alloc, and
// std::system_error when no thread can be started; the items are then left in some
// order.
class TKeySort {
 public:
  // Lists this long or longer are sorted on two threads.
  static constexpr std::size_t kParallelFrom = std::size_t{1} << 18;

  template <class T, class Key>
  static void Sort(std::vector<T>& items, Key key, std::size_t parallelFrom = kParallelFrom);

  // Sorts items[0, size) with scratch[0, size) as room; the result ends in items.
  template <class T, class Key>
  static void RadixSort(T* items, T* scratch, std::size_t size, Key key);

 private:
  static constexpr int kRadixBits = 11;
  static constexpr int kRadixPasses = (64 + kRadixBits - 1) / kRadixBits;
  static constexpr std::size_t kRadixBuckets = std::size_t{1} << kRadixBits;

  // How many items of a go into the first `outputs` items of the merge of a and b.
  template <class T, class Key>
  static std::size_t SplitMerge(const T* a, std::size_t aSize, const T* b, std::size_t bSize, std::size_t outputs,
                                Key key);
};

template <class T, class Key>
void TKeySort::RadixSort(T* items, T* scratch, std::size_t size, Key key) {
  static_assert(std::is_trivially_copyable<T>::value, "items are moved as bytes");
  if (size < 2) return;
  std::vector<std::size_t> counts(kRadixPasses * kRadixBuckets, 0);
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint64_t k = key(items[i]);
    for (int pass = 0; pass < kRadixPasses; ++pass)
      ++counts[pass * kRadixBuckets + ((k >> (pass * kRadixBits)) & (kRadixBuckets - 1))];
  }
  T* from = items;
  T* to = scratch;
  for (int pass = 0; pass < kRadixPasses; ++pass) {
    std::size_t* bucket = &counts[pass * kRadixBuckets];
    // A digit that every key shares leaves the order as it is.
    if (std::any_of(bucket, bucket + kRadixBuckets, [&](std::size_t c) { return c == size; })) continue;
    std::size_t offset = 0;
    for (std::size_t b = 0; b < kRadixBuckets; ++b) {
      const std::size_t c = bucket[b];
      bucket[b] = offset;
      offset += c;
    }
    const int shift = pass * kRadixBits;
    for (std::size_t i = 0; i < size; ++i) to[bucket[(key(from[i]) >> shift) & (kRadixBuckets - 1)]++] = from[i];
    std::swap(from, to);
  }
  if (from != items) std::memcpy(static_cast<void*>(items), from, size * sizeof *items);
}

template <class T, class Key>
void TKeySort::Sort(std::vector<T>& items, Key key, std::size_t parallelFrom) {
  const std::size_t size = items.size();
  if (size < 2) return;
  std::vector<T> scratch(size);
  if (size < parallelFrom) return RadixSort(items.data(), scratch.data(), size, key);
  T* const a = items.data();
  const std::size_t aSize = size / 2;
  T* const b = a + aSize;
  const std::size_t bSize = size - aSize;
  T* const out = scratch.data();
  TTwoThreads::Run([=] { RadixSort(b, out + aSize, bSize, key); }, [=] { RadixSort(a, out, aSize, key); });
  // The first half of the output is merged on the second thread, the rest here.
  const std::size_t half = size / 2;
  const std::size_t aFirst = SplitMerge(a, aSize, b, bSize, half, key);
  const auto less = [key](const T& x, const T& y) { return key(x) < key(y); };
  TTwoThreads::Run([=] { std::merge(a, a + aFirst, b, b + (half - aFirst), out, less); },
                   [=] { std::merge(a + aFirst, a + aSize, b + (half - aFirst), b + bSize, out + half, less); });
  items.swap(scratch);
}

template <class T, class Key>
std::size_t TKeySort::SplitMerge(const T* a, std::size_t aSize, const T* b, std::size_t bSize, std::size_t outputs,
                                 Key key) {
  // The least i for which a[i] goes after b[outputs - i - 1].
  std::size_t low = outputs > bSize ? outputs - bSize : 0;
  std::size_t high = std::min(outputs, aSize);
  while (low < high) {
    const std::size_t i = low + (high - low) / 2;
    if (key(a[i]) <= key(b[outputs - i - 1]))
      low = i + 1;
    else
      high = i;
  }
  return low;
}
