#include "TKeyBuckets.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <stdexcept>

#include "TKeySort.h"
#include "TTwoThreads.h"

namespace {
// Room reserved beyond a bucket's share of the sample, for the keys to come
// falling unevenly.
const double kReserveSlack = 1.25;
const std::uint64_t kNoBound = ~std::uint64_t{0};

std::uint64_t Identity(std::uint64_t key) { return key; }
}  // namespace

TKeyBuckets::TKeyBuckets() {
  MbrLowest[0] = 0;
  std::fill(MbrLowest + 1, MbrLowest + kBuckets, kNoBound);
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
  const double share = static_cast<double>(expected) / static_cast<double>(size) * kReserveSlack;
  for (std::size_t b = 0; b < kBuckets; ++b) {
    const std::uint64_t high = b + 1 < kBuckets ? MbrLowest[b + 1] : kNoBound;
    const auto first = std::lower_bound(sample.begin(), sample.end(), MbrLowest[b]);
    const auto last = std::lower_bound(first, sample.end(), high);
    const double room = static_cast<double>(last - first) * share;
    try {
      MbrBuckets[b].reserve(static_cast<std::size_t>(std::min(room, static_cast<double>(expected))));
    } catch (const std::bad_alloc&) {
      // Refused: the bucket grows as it needs.
    } catch (const std::length_error&) {
    }
  }
}

std::size_t TKeyBuckets::Size() const {
  std::size_t size = 0;
  for (const auto& bucket : MbrBuckets) size += bucket.size();
  return size;
}

void TKeyBuckets::Sort(bool shareWork) {
  std::size_t order[kBuckets];
  for (std::size_t b = 0; b < kBuckets; ++b) order[b] = b;
  if (!shareWork) {
    for (auto& bucket : MbrBuckets) TKeySort::Sort(bucket, Identity, ~std::size_t{0});
    return;
  }
  // Largest first; one that holds most keys is itself sorted on two threads.
  std::sort(order, order + kBuckets,
            [this](std::size_t x, std::size_t y) { return MbrBuckets[x].size() > MbrBuckets[y].size(); });
  std::size_t start = 0;
  if (MbrBuckets[order[0]].size() * 2 > Size()) TKeySort::Sort(MbrBuckets[order[start++]], Identity);
  std::atomic<std::size_t> next{start};
  const auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < kBuckets;)
      TKeySort::Sort(MbrBuckets[order[i]], Identity, ~std::size_t{0});
  };
  TTwoThreads::Run(work, work);
}

void TKeyBuckets::Clear() {
  for (auto& bucket : MbrBuckets) {
    bucket.clear();
    bucket.shrink_to_fit();
  }
  std::fill(MbrLowest + 1, MbrLowest + kBuckets, kNoBound);
}

std::uint64_t TKeyBuckets::At(std::size_t rank) const {
  for (const auto& bucket : MbrBuckets) {
    if (rank < bucket.size()) return bucket[rank];
    rank -= bucket.size();
  }
  return kNoBound;
}
