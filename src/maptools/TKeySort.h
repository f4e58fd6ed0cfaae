#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

#include "TTwoThreads.h"

// Sorts items by a 64-bit key in ascending order: a most-significant-digit radix
// sort, one byte of the key at a time, that permutes each long range in place into
// its buckets and then sorts each bucket by the next byte. A range short enough to
// stay in the cache is sorted by its key bytes from the lowest up through a
// scratch array of its size, skipping the bytes its keys share; the shortest are
// sorted by insertion. Besides the items it takes memory only for such a range.
// Long lists are sorted on two threads: the first bytes are sorted here
// until no bucket holds more than half of the items, and then both threads take
// buckets, largest first (one after the other when no second thread can be
// started). Items of equal keys may end in any order. Throws std::bad_alloc; the
// items are then left in some order.
class TKeySort {
 public:
  // Lists this long or longer are sorted on two threads.
  static constexpr std::size_t kParallelFrom = std::size_t{1} << 18;
  // A parallelFrom that keeps every list on the caller's thread.
  static constexpr std::size_t kOneThread = ~std::size_t{0};

  template <class T, class Key>
  static void Sort(std::vector<T>& items, Key key, std::size_t parallelFrom = kParallelFrom) {
    Sort(items.data(), items.size(), key, parallelFrom);
  }

  // The same for items[0, size).
  template <class T, class Key>
  static void Sort(T* items, std::size_t size, Key key, std::size_t parallelFrom = kParallelFrom);

 private:
  static constexpr int kDigitBits = 8;
  static constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
  static constexpr int kFirstShift = 64 - kDigitBits;
  // Ranges this short are sorted byte by byte through a scratch array.
  static constexpr std::size_t kByteSortMax = std::size_t{1} << 18;
  static constexpr int kKeyBytes = 8;
  // Ranges this short are sorted by insertion.
  static constexpr std::size_t kInsertionMax = 32;

  // A range of items whose keys agree above bit `shift` + kDigitBits.
  struct TRange {
    std::size_t first;
    std::size_t size;
    int shift;
  };

  static unsigned Digit(std::uint64_t key, int shift) { return static_cast<unsigned>(key >> shift) & (kBuckets - 1); }

  // Permutes items[0, size) into the buckets of their digit at `shift` and adds the
  // buckets of more than one item, with the next shift, to `buckets`.
  template <class T, class Key>
  static void Partition(T* items, std::size_t first, std::size_t size, int shift, Key key,
                        std::vector<TRange>& buckets);

  // Sorts items[0, size) by the key bytes from the lowest up to the highest in
  // which their keys differ.
  template <class T, class Key>
  static void ByteSort(T* items, std::size_t size, Key key, std::vector<T>& scratch);

  // Sorts the range completely.
  template <class T, class Key>
  static void SortRange(T* items, TRange range, Key key);

  template <class T, class Key>
  static void InsertionSort(T* items, std::size_t size, Key key);
};

template <class T, class Key>
void TKeySort::Partition(T* items, std::size_t first, std::size_t size, int shift, Key key,
                         std::vector<TRange>& buckets) {
  T* const a = items + first;
  std::size_t counts[kBuckets] = {};
  for (std::size_t i = 0; i < size; ++i) ++counts[Digit(key(a[i]), shift)];
  std::size_t heads[kBuckets];
  std::size_t ends[kBuckets];
  std::size_t offset = 0;
  for (std::size_t b = 0; b < kBuckets; ++b) {
    heads[b] = offset;
    offset += counts[b];
    ends[b] = offset;
  }
  // Each item is moved straight to the next free place of its bucket; the item
  // found there moves on in turn, until one that belongs here comes back.
  for (std::size_t b = 0; b < kBuckets; ++b) {
    while (heads[b] < ends[b]) {
      T item = a[heads[b]];
      unsigned digit = Digit(key(item), shift);
      while (digit != b) {
        std::swap(item, a[heads[digit]++]);
        digit = Digit(key(item), shift);
      }
      a[heads[b]++] = item;
    }
  }
  if (shift == 0) return;
  offset = 0;
  for (std::size_t b = 0; b < kBuckets; ++b) {
    if (counts[b] > 1) buckets.push_back(TRange{first + offset, counts[b], shift - kDigitBits});
    offset += counts[b];
  }
}

template <class T, class Key>
void TKeySort::ByteSort(T* items, std::size_t size, Key key, std::vector<T>& scratch) {
  const std::uint64_t first = key(items[0]);
  std::uint64_t differ = 0;
  for (std::size_t i = 1; i < size; ++i) differ |= key(items[i]) ^ first;
  int bytes = 0;
  for (; differ != 0; differ >>= kDigitBits) ++bytes;
  std::size_t places[kKeyBytes][kBuckets] = {};
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint64_t k = key(items[i]);
    for (int d = 0; d < bytes; ++d) ++places[d][Digit(k, d * kDigitBits)];
  }
  if (scratch.size() < size) scratch.resize(size);
  T* from = items;
  T* to = scratch.data();
  for (int d = 0; d < bytes; ++d) {
    const int shift = d * kDigitBits;
    std::size_t* const place = places[d];
    if (place[Digit(first, shift)] == size) continue;  // a byte all keys share
    std::size_t offset = 0;
    for (std::size_t b = 0; b < kBuckets; ++b) {
      const std::size_t count = place[b];
      place[b] = offset;
      offset += count;
    }
    for (std::size_t i = 0; i < size; ++i) to[place[Digit(key(from[i]), shift)]++] = from[i];
    std::swap(from, to);
  }
  if (from != items) std::copy(from, from + size, items);
}

template <class T, class Key>
void TKeySort::InsertionSort(T* items, std::size_t size, Key key) {
  for (std::size_t i = 1; i < size; ++i) {
    T item = items[i];
    const std::uint64_t k = key(item);
    std::size_t j = i;
    for (; j > 0 && key(items[j - 1]) > k; --j) items[j] = items[j - 1];
    items[j] = item;
  }
}

template <class T, class Key>
void TKeySort::SortRange(T* items, TRange range, Key key) {
  std::vector<TRange> pending{range};
  std::vector<T> scratch;
  while (!pending.empty()) {
    const TRange r = pending.back();
    pending.pop_back();
    if (r.size <= kInsertionMax)
      InsertionSort(items + r.first, r.size, key);
    else if (r.size <= kByteSortMax)
      ByteSort(items + r.first, r.size, key, scratch);
    else
      Partition(items, r.first, r.size, r.shift, key, pending);
  }
}

template <class T, class Key>
void TKeySort::Sort(T* items, std::size_t size, Key key, std::size_t parallelFrom) {
  static_assert(std::is_trivially_copyable<T>::value, "items are moved as bytes");
  if (size < 2) return;
  T* const a = items;
  const TRange all{0, size, kFirstShift};
  if (size < parallelFrom) return SortRange(a, all, key);
  // Split the largest range until the work can be shared.
  std::vector<TRange> ranges{all};
  for (;;) {
    const auto largest = std::max_element(ranges.begin(), ranges.end(),
                                          [](const TRange& x, const TRange& y) { return x.size < y.size; });
    if (largest == ranges.end() || largest->size * 2 <= size || largest->size <= kInsertionMax) break;
    const TRange r = *largest;
    ranges.erase(largest);
    Partition(a, r.first, r.size, r.shift, key, ranges);
  }
  std::sort(ranges.begin(), ranges.end(), [](const TRange& x, const TRange& y) { return x.size > y.size; });
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < ranges.size();) SortRange(a, ranges[i], key);
  };
  TTwoThreads::Run(work, work);
}
