#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Keys gathered into buckets of consecutive key ranges, whose bounds are drawn
// from a sample of the keys. Sorting each bucket on its own then sorts them all:
// the keys are split once on their way in, where the sort of one long list would
// pass over all of it several times, and a bucket is short enough to be sorted
// mostly in the cache. Without bounds every key goes to the first bucket.
class TKeyBuckets {
 public:
  static constexpr int kBucketBits = 8;
  static constexpr std::size_t kBuckets = std::size_t{1} << kBucketBits;

  TKeyBuckets();

  // Sets the bounds from a sample of the keys to come, in any order; may only be
  // called while no key is held. `expected` keys are said to be coming: room for
  // them is reserved in each bucket by its share of the sample (address space
  // only, and not at all when refused).
  void Bound(std::vector<std::uint64_t> sample, long long expected);

  void Add(std::uint64_t key) { MbrBuckets[BucketOf(key)].push_back(key); }

  std::size_t Size() const;

  // Sorts every bucket; with `shareWork`, on two threads.
  void Sort(bool shareWork);

  // Frees everything and forgets the bounds.
  void Clear();

  // Reading the sorted buckets, in ascending order of their keys.
  const std::vector<std::uint64_t>& Bucket(std::size_t bucket) const { return MbrBuckets[bucket]; }
  // The bucket that holds `key` if any does; every key of a later bucket is larger.
  std::size_t BucketOf(std::uint64_t key) const {
    std::size_t bucket = 0;
    for (std::size_t step = kBuckets / 2; step > 0; step /= 2)
      bucket += key >= MbrLowest[bucket + step] ? step : 0;
    return bucket;
  }
  // The key of the given rank in the sorted whole.
  std::uint64_t At(std::size_t rank) const;

 private:
  // The lowest key of each bucket; the first is 0.
  std::uint64_t MbrLowest[kBuckets];
  std::vector<std::uint64_t> MbrBuckets[kBuckets];
};
