#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Keys gathered into buckets of consecutive key ranges, whose bounds are drawn
// from a sample of the keys. Sorting each bucket on its own then sorts them all:
// the keys are split once on their way in, where the sort of one long list would
// pass over all of it several times, and a bucket is short enough to be sorted
// mostly in the cache. Without bounds every key goes to the first bucket.
//
// Keys are staged a cache line per bucket and each full line is written out
// whole, bypassing the cache where the processor allows: a store to one of many
// buckets then neither reads the line it fills nor waits for it.
class TKeyBuckets {
 public:
  static constexpr int kBucketBits = 8;
  static constexpr std::size_t kBuckets = std::size_t{1} << kBucketBits;

  // The keys of one bucket.
  class TView {
   public:
    TView(const std::uint64_t* keys, std::size_t size) : MbrKeys(keys), MbrSize(size) {}
    const std::uint64_t* data() const { return MbrKeys; }
    std::size_t size() const { return MbrSize; }
    const std::uint64_t* begin() const { return MbrKeys; }
    const std::uint64_t* end() const { return MbrKeys + MbrSize; }

   private:
    const std::uint64_t* MbrKeys;
    std::size_t MbrSize;
  };

  TKeyBuckets();

  // Sets the bounds from a sample of the keys to come, in any order; may only be
  // called while no key is held. `expected` keys are said to be coming: room for
  // them is reserved in each bucket by its share of the sample (address space
  // only, up to a bound, and not at all when refused).
  void Bound(std::vector<std::uint64_t> sample, long long expected);

  void Add(std::uint64_t key) {
    const std::size_t bucket = BucketOf(key);
    std::uint64_t* const line = MbrStage[bucket];
    line[MbrStaged[bucket]] = key;
    if (++MbrStaged[bucket] == kLineKeys) WriteLine(bucket);
  }

  std::size_t Size() const;

  // Sorts every bucket; with `shareWork`, on two threads. No key may be added after.
  void Sort(bool shareWork);

  // Frees everything and forgets the bounds.
  void Clear();

  // The keys of a bucket, sorted once Sort is done; every key of a later bucket
  // is larger.
  TView Bucket(std::size_t bucket) const { return TView(MbrBuckets[bucket].keys.get(), MbrBuckets[bucket].size); }

  // The bucket that holds `key` if any does: the number of bounds above the first
  // that are at most the key, counted in groups of kGroup, first the group and
  // then within it. The comparisons of a step do not wait for each other.
  std::size_t BucketOf(std::uint64_t key) const {
    std::size_t group = 0;
    for (std::size_t i = 1; i < kGroup; ++i) group += key >= MbrLowest[i * kGroup];
    const std::uint64_t* const bounds = MbrLowest + group * kGroup;
    std::size_t within = 0;
    for (std::size_t i = 1; i < kGroup; ++i) within += key >= bounds[i];
    return group * kGroup + within;
  }

  // The key of the given rank in the sorted whole.
  std::uint64_t At(std::size_t rank) const;

 private:
  static constexpr std::size_t kGroup = 16;
  static constexpr std::size_t kLineBytes = 64;
  static constexpr std::size_t kLineKeys = kLineBytes / sizeof(std::uint64_t);

  struct TFree {
    void operator()(std::uint64_t* keys) const;
  };
  // Keys in a block aligned to a line, so that whole lines are written.
  struct TBucket {
    std::unique_ptr<std::uint64_t[], TFree> keys;
    std::size_t size = 0;
    std::size_t capacity = 0;
  };

  // Makes room for `capacity` keys in the bucket.
  static void Reserve(TBucket& bucket, std::size_t capacity);
  // Makes room for more keys in a full bucket.
  void Grow(TBucket& bucket);
  // Appends the staged keys of the bucket.
  void WriteLine(std::size_t bucket);
  // Appends what is staged in every bucket and completes the writes.
  void WriteStaged();

  // The lowest key of each bucket, ascending; the first is 0, unused ones ~0.
  std::uint64_t MbrLowest[kBuckets];
  alignas(kLineBytes) std::uint64_t MbrStage[kBuckets][kLineKeys];
  std::uint8_t MbrStaged[kBuckets] = {};
  // The keys said to be coming in all.
  std::size_t MbrExpected = 0;
  TBucket MbrBuckets[kBuckets];
};
