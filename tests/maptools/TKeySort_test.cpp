#include "TKeySort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "TestSupport.h"

namespace {
std::uint64_t Identity(std::uint64_t key) { return key; }

TEST(KeySort, SortsLikeStdSortOnOneThreadAndOnTwo) {
  // Random keys with many repeats, keys that differ only in high or only in low
  // digits, and the order keys of both zeros, around the two-thread threshold.
  std::mt19937_64 random(12345);
  const auto orderKey = [](double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
  };
  struct Case {
    const char* name;
    std::size_t size;
    std::size_t parallelFrom;
  };
  const Case cases[] = {
      {"empty", 0, 2},
      {"one", 1, 2},
      {"two on two threads", 2, 2},
      {"odd on two threads", 1001, 2},
      {"many on two threads", 200001, 1000},
      {"just below the threshold", 999, 1000},
      {"at the threshold", 1000, 1000},
      {"long enough to be split on one thread", 600001, TKeySort::kOneThread},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint64_t> keys;
    for (std::size_t i = 0; i < c.size; ++i) {
      switch (i % 5) {
        case 0:
          keys.push_back(random());
          break;
        case 1:
          keys.push_back(random() % 7);
          break;
        case 2:
          keys.push_back((random() % 5) << 58);
          break;
        case 3:
          keys.push_back(orderKey(i % 2 == 0 ? 0.0 : -0.0));
          break;
        default:
          keys.push_back(orderKey(std::uniform_real_distribution<double>(-1000, 1000)(random)));
          break;
      }
    }
    std::vector<std::uint64_t> expected = keys;
    std::sort(expected.begin(), expected.end());
    TKeySort::Sort(keys, Identity, c.parallelFrom);
    EXPECT_EQ(keys, expected);
  }
}

TEST(KeySort, SortsRecordsByTheirKeyKeepingThemWhole) {
  // Records of one key may come in any order, but each keeps its payload.
  struct Record {
    std::uint64_t key;
    long payload;
  };
  std::vector<Record> records;
  for (long i = 0; i < 5000; ++i) records.push_back(Record{static_cast<std::uint64_t>((i * 7919) % 613) << 40, i});
  const std::vector<Record> original = records;
  TKeySort::Sort(
      records, [](const Record& r) { return r.key; }, 100);
  ASSERT_EQ(records.size(), original.size());
  std::vector<bool> seen(original.size(), false);
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (i > 0) {
      EXPECT_LE(records[i - 1].key, records[i].key) << i;
    }
    const Record& r = records[i];
    ASSERT_GE(r.payload, 0);
    ASSERT_LT(r.payload, 5000);
    EXPECT_EQ(r.key, original[static_cast<std::size_t>(r.payload)].key);
    EXPECT_FALSE(seen[static_cast<std::size_t>(r.payload)]);
    seen[static_cast<std::size_t>(r.payload)] = true;
  }
}
}  // namespace
