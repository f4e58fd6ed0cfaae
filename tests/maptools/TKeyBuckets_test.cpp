#include "TKeyBuckets.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "TestSupport.h"

namespace {
// The buckets read one after the other.
std::vector<std::uint64_t> ReadAll(const TKeyBuckets& buckets) {
  std::vector<std::uint64_t> keys;
  for (std::size_t b = 0; b < TKeyBuckets::kBuckets; ++b)
    keys.insert(keys.end(), buckets.Bucket(b).begin(), buckets.Bucket(b).end());
  return keys;
}

TEST(KeyBuckets, SortedBucketsReadAsOneSortedListWhateverTheSample) {
  // Samples that fit the keys, that cover only their low end (a file whose
  // values rise), that are tiny or full of repeats, and none at all; keys with
  // repeats and the extremes.
  std::mt19937_64 random(4242);
  std::vector<std::uint64_t> keys;
  for (int i = 0; i < 60000; ++i) keys.push_back(i % 3 == 0 ? random() % 1000 : random());
  keys.push_back(0);
  keys.push_back(~std::uint64_t{0} - 1);
  std::vector<std::uint64_t> sorted = keys;
  std::sort(sorted.begin(), sorted.end());
  struct Case {
    const char* name;
    std::vector<std::uint64_t> sample;
    bool bound;
  };
  const Case cases[] = {
      {"a fair sample", std::vector<std::uint64_t>(keys.begin(), keys.begin() + 5000), true},
      {"the low end only", std::vector<std::uint64_t>(sorted.begin(), sorted.begin() + 5000), true},
      {"three keys", {5, 1u << 20, 7}, true},
      {"one key repeated", std::vector<std::uint64_t>(300, 12345), true},
      {"an empty sample", {}, true},
      {"no bounds", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TKeyBuckets buckets;
    if (c.bound) buckets.Bound(c.sample, static_cast<long long>(keys.size()));
    for (std::uint64_t key : keys) buckets.Add(key);
    ASSERT_EQ(buckets.Size(), keys.size());
    for (bool shareWork : {false, true}) {
      buckets.Sort(shareWork);
      EXPECT_EQ(ReadAll(buckets), sorted);
    }
    for (std::size_t rank : {std::size_t{0}, keys.size() / 3, keys.size() - 1})
      EXPECT_EQ(buckets.At(rank), sorted[rank]);
    // Every key lies in the bucket BucketOf names.
    for (std::size_t b = 0; b < TKeyBuckets::kBuckets; ++b)
      for (std::uint64_t key : buckets.Bucket(b)) ASSERT_EQ(buckets.BucketOf(key), b);
    buckets.Clear();
    EXPECT_EQ(buckets.Size(), 0u);
    EXPECT_EQ(buckets.BucketOf(~std::uint64_t{0} - 1), 0u);
  }
}

TEST(KeyBuckets, AFairSampleSpreadsTheKeys) {
  std::mt19937_64 random(7);
  std::vector<std::uint64_t> keys(100000);
  for (auto& key : keys) key = random();
  TKeyBuckets buckets;
  buckets.Bound(std::vector<std::uint64_t>(keys.begin(), keys.begin() + 20000), 100000);
  for (std::uint64_t key : keys) buckets.Add(key);
  std::size_t largest = 0;
  for (std::size_t b = 0; b < TKeyBuckets::kBuckets; ++b) largest = std::max(largest, buckets.Bucket(b).size());
  // An even share is 390 keys.
  EXPECT_LT(largest, 4 * keys.size() / TKeyBuckets::kBuckets);
}
}  // namespace
