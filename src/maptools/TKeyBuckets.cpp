#include "TKeyBuckets.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "TKeySort.h"
#include "TTwoThreads.h"

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#define GRIDTALLY_STREAM_STORES 1
#endif

namespace {
// Room reserved beyond a bucket's share of the sample, for the keys to come
// falling unevenly.
const double kReserveSlack = 1.25;
const std::size_t kFirstCapacity = 1 << 10;
// The largest step by which a bucket grows at once.
const std::size_t kGrowthStep = 16;
// Room is reserved for at most this many keys in all (16 GB of address space);
// buckets beyond it grow as they need.
const long long kMaxReservedKeys = 1LL << 31;
const std::uint64_t kNoBound = ~std::uint64_t{0};
// A bucket with more than 1/kLargeShare of the keys is too large to share out.
const std::size_t kLargeShare = 8;
const std::align_val_t kLineAlignment{64};

std::uint64_t Identity(std::uint64_t key) { return key; }
}  // namespace

void TKeyBuckets::TFree::operator()(std::uint64_t* keys) const { ::operator delete[](keys, kLineAlignment); }

TKeyBuckets::TKeyBuckets() {
  static_assert(kLineBytes == 64, "the line alignment above");
  static_assert(kGroup * kGroup == kBuckets, "two steps of groups name every bucket");
  MbrLowest[0] = 0;
  std::fill(MbrLowest + 1, MbrLowest + kBuckets, kNoBound);
}

void TKeyBuckets::Reserve(TBucket& bucket, std::size_t capacity) {
  if (capacity <= bucket.capacity) return;
  capacity = (capacity + kLineKeys - 1) / kLineKeys * kLineKeys;
  if (capacity > ~std::size_t{0} / sizeof(std::uint64_t)) throw std::bad_alloc();
  std::unique_ptr<std::uint64_t[], TFree> keys(
      static_cast<std::uint64_t*>(::operator new[](capacity * sizeof(std::uint64_t), kLineAlignment)));
  if (bucket.size > 0) std::memcpy(keys.get(), bucket.keys.get(), bucket.size * sizeof(std::uint64_t));
  bucket.keys.swap(keys);
  bucket.capacity = capacity;
}

void TKeyBuckets::Bound(std::vector<std::uint64_t> sample, long long expected) {
  std::sort(sample.begin(), sample.end());
  sample.erase(std::unique(sample.begin(), sample.end()), sample.end());
  const std::size_t size = sample.size();
  // Bounds at equal steps through the sample, each above the last; a small sample
  // leaves the last buckets without keys.
  std::size_t used = 1;
  for (std::size_t b = 1; b < kBuckets; ++b) {
    const std::size_t rank = b * size / kBuckets;
    if (rank > 0 && rank < size && sample[rank] > MbrLowest[used - 1]) MbrLowest[used++] = sample[rank];
  }
  std::fill(MbrLowest + used, MbrLowest + kBuckets, kNoBound);
  if (expected <= 0 || size == 0) return;
  expected = std::min(expected, kMaxReservedKeys);
  MbrExpected = static_cast<std::size_t>(expected);
  const double share = static_cast<double>(expected) / static_cast<double>(size) * kReserveSlack;
  for (std::size_t b = 0; b < kBuckets; ++b) {
    const std::uint64_t high = b + 1 < kBuckets ? MbrLowest[b + 1] : kNoBound;
    const auto first = std::lower_bound(sample.begin(), sample.end(), MbrLowest[b]);
    const auto last = std::lower_bound(first, sample.end(), high);
    const double room = std::min(static_cast<double>(last - first) * share, static_cast<double>(expected));
    try {
      Reserve(MbrBuckets[b], static_cast<std::size_t>(room));
    } catch (const std::bad_alloc&) {
      // Refused: the bucket grows as it needs.
    }
  }
}

void TKeyBuckets::Grow(TBucket& bucket) {
  // A bucket that outgrows its share of the sample (values that drift away from
  // it) takes larger steps towards all the keys still expected, so that it is
  // copied, and its memory touched afresh, a few times rather than at every doubling.
  const std::size_t doubled = std::max(2 * bucket.capacity, kFirstCapacity);
  const std::size_t held = Size();
  const std::size_t remaining = MbrExpected > held ? MbrExpected - held : 0;
  const std::size_t wanted = std::max(doubled, std::min(bucket.size + remaining, kGrowthStep * bucket.capacity));
  try {
    Reserve(bucket, wanted);
  } catch (const std::bad_alloc&) {
    Reserve(bucket, doubled);
  }
}

void TKeyBuckets::WriteLine(std::size_t b) {
  TBucket& bucket = MbrBuckets[b];
  const std::size_t staged = MbrStaged[b];
  if (bucket.size + staged > bucket.capacity) Grow(bucket);
  std::uint64_t* const to = bucket.keys.get() + bucket.size;
#if defined(GRIDTALLY_STREAM_STORES)
  if (staged == kLineKeys) {
    // A whole aligned line: the sizes of a bucket stay whole lines until the end.
    auto* const words = reinterpret_cast<long long*>(to);
    for (std::size_t i = 0; i < kLineKeys; ++i) _mm_stream_si64(words + i, static_cast<long long>(MbrStage[b][i]));
  } else {
    std::memcpy(to, MbrStage[b], staged * sizeof(std::uint64_t));
  }
#else
  std::memcpy(to, MbrStage[b], staged * sizeof(std::uint64_t));
#endif
  bucket.size += staged;
  MbrStaged[b] = 0;
}

void TKeyBuckets::WriteStaged() {
  for (std::size_t b = 0; b < kBuckets; ++b)
    if (MbrStaged[b] > 0) WriteLine(b);
#if defined(GRIDTALLY_STREAM_STORES)
  _mm_sfence();  // the streamed lines are in memory before they are read
#endif
}

std::size_t TKeyBuckets::Size() const {
  std::size_t size = 0;
  for (std::size_t b = 0; b < kBuckets; ++b) size += MbrBuckets[b].size + MbrStaged[b];
  return size;
}

void TKeyBuckets::Sort(bool shareWork) {
  WriteStaged();
  std::size_t order[kBuckets];
  for (std::size_t b = 0; b < kBuckets; ++b) order[b] = b;
  const auto sortBucket = [this](std::size_t b, std::size_t parallelFrom) {
    TKeySort::Sort(MbrBuckets[b].keys.get(), MbrBuckets[b].size, Identity, parallelFrom);
  };
  if (!shareWork) {
    for (std::size_t b = 0; b < kBuckets; ++b) sortBucket(b, TKeySort::kOneThread);
    return;
  }
  // Largest first. A sample unlike the keys (values that drift through the grid)
  // leaves a few buckets with a large share: each of those is sorted on both
  // threads in turn, and the rest are shared out.
  std::sort(order, order + kBuckets,
            [this](std::size_t x, std::size_t y) { return MbrBuckets[x].size > MbrBuckets[y].size; });
  const std::size_t size = Size();
  std::size_t start = 0;
  while (start < kBuckets && MbrBuckets[order[start]].size >= TKeySort::kParallelFrom &&
         MbrBuckets[order[start]].size * kLargeShare > size)
    sortBucket(order[start++], TKeySort::kParallelFrom);
  std::atomic<std::size_t> next{start};
  const auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < kBuckets;) sortBucket(order[i], TKeySort::kOneThread);
  };
  TTwoThreads::Run(work, work);
}

void TKeyBuckets::Clear() {
  MbrExpected = 0;
  for (std::size_t b = 0; b < kBuckets; ++b) {
    MbrBuckets[b] = TBucket{};
    MbrStaged[b] = 0;
  }
  std::fill(MbrLowest + 1, MbrLowest + kBuckets, kNoBound);
}

std::uint64_t TKeyBuckets::At(std::size_t rank) const {
  for (const TBucket& bucket : MbrBuckets) {
    if (rank < bucket.size) return bucket.keys[rank];
    rank -= bucket.size;
  }
  return kNoBound;
}
