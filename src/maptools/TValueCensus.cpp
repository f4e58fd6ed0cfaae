#include "TValueCensus.h"

#include <algorithm>

#include "TKeySort.h"

namespace {
const std::size_t kInitialSlots = 1 << 10;

// Mixes every bit of the value into the low bits (the finaliser of splitmix64).
std::size_t Hash(std::uint64_t bits, std::size_t mask) {
  bits ^= bits >> 30;
  bits *= 0xBF58476D1CE4E5B9ull;
  bits ^= bits >> 27;
  bits *= 0x94D049BB133111EBull;
  bits ^= bits >> 31;
  return static_cast<std::size_t>(bits) & mask;
}

}  // namespace

TValueCensus::TValueCensus(std::size_t maxSlots)
    : MbrSlots(std::min(kInitialSlots, maxSlots), TSlot{0, 0}), MbrMaxSlots(maxSlots), MbrLastCount(&MbrLastDummy) {}

void TValueCensus::AddZero(bool negative, long count, long column, long row) {
  const int sign = negative ? 1 : 0;
  MbrZeroCount[sign] += count;
  const std::uint64_t place = (static_cast<std::uint64_t>(column) << 32) | static_cast<std::uint32_t>(row);
  MbrZeroFirst[sign] = std::min(MbrZeroFirst[sign], place);
}

void TValueCensus::AddToTable(std::uint64_t bits, long count) {
  const std::size_t mask = MbrSlots.size() - 1;
  for (std::size_t i = Hash(bits, mask);; i = (i + 1) & mask) {
    TSlot& slot = MbrSlots[i];
    if (slot.bits == bits) {
      slot.count += count;
      MbrLastBits = bits;
      MbrLastCount = &slot.count;
      if (MbrSlots.size() == MbrMaxSlots) MbrMisses.Note(false);
      return;
    }
    if (slot.bits == 0) {
      if ((MbrUsed + 1) * 2 > MbrSlots.size()) {
        if (MbrSlots.size() < MbrMaxSlots) {
          Grow();
          AddToTable(bits, count);
        } else {
          Spill(bits, count);
          MbrMisses.Note(true);
        }
        return;
      }
      slot.bits = bits;
      slot.count = count;
      ++MbrUsed;
      MbrLastBits = bits;
      MbrLastCount = &slot.count;
      return;
    }
  }
}

void TValueCensus::Spill(std::uint64_t bits, long count) {
  if (count == 1) {
    if (!MbrSpillBounded) BoundSpill();
    MbrSpill.Add(OrderKey(bits));
  } else {
    MbrSpillCounted.push_back(TSlot{OrderKey(bits), count});
  }
}

void TValueCensus::BoundSpill() {
  // The values in the table, the first distinct ones met, sample those to come.
  std::vector<std::uint64_t> sample;
  sample.reserve(MbrUsed);
  for (const TSlot& slot : MbrSlots)
    if (slot.bits != 0) sample.push_back(OrderKey(slot.bits));
  MbrSpill.Bound(std::move(sample), MbrExpectedCells);
  MbrSpillBounded = true;
}

void TValueCensus::Grow() {
  std::vector<TSlot> old(MbrSlots.size() * 2, TSlot{0, 0});
  old.swap(MbrSlots);
  const std::size_t mask = MbrSlots.size() - 1;
  for (const TSlot& slot : old) {
    if (slot.bits == 0) continue;
    std::size_t i = Hash(slot.bits, mask);
    while (MbrSlots[i].bits != 0) i = (i + 1) & mask;
    MbrSlots[i] = slot;
  }
  MbrLastBits = 0;
  MbrLastCount = &MbrLastDummy;
}

void TValueCensus::Sort(bool shareWork) {
  if (MbrSorted) return;
  const std::size_t parallelFrom = shareWork ? TKeySort::kParallelFrom : TKeySort::kOneThread;
  MbrEntries.swap(MbrSpillCounted);
  MbrEntries.reserve(MbrEntries.size() + MbrUsed);
  for (const TSlot& slot : MbrSlots)
    if (slot.bits != 0) MbrEntries.push_back(TSlot{OrderKey(slot.bits), slot.count});
  TKeySort::Sort(MbrEntries, [](const TSlot& slot) { return slot.bits; }, parallelFrom);
  MbrSlots.clear();
  MbrSlots.shrink_to_fit();
  MbrUsed = 0;
  MbrLastBits = 0;
  MbrLastCount = &MbrLastDummy;
  MbrSpill.Sort(shareWork);
  MbrSorted = true;
}

long TValueCensus::Zeros(const TValueCensus& first, const TValueCensus* second, double& form) {
  long count[2] = {first.MbrZeroCount[0], first.MbrZeroCount[1]};
  std::uint64_t place[2] = {first.MbrZeroFirst[0], first.MbrZeroFirst[1]};
  if (second != nullptr) {
    for (int sign = 0; sign < 2; ++sign) {
      count[sign] += second->MbrZeroCount[sign];
      place[sign] = std::min(place[sign], second->MbrZeroFirst[sign]);
    }
  }
  // The form of the first zero in column-major order names the pair.
  const bool negative = count[1] > 0 && (count[0] == 0 || place[1] < place[0]);
  form = negative ? -0.0 : 0.0;
  return count[0] + count[1];
}

void TValueCensus::Release() {
  MbrEntries.clear();
  MbrEntries.shrink_to_fit();
  MbrSpill.Clear();
  MbrSpillBounded = false;
}

TValueCensus::TCursor::TCursor(const TValueCensus* census, std::uint64_t low) {
  if (census == nullptr) return;
  MbrEntryEnd = census->MbrEntries.data() + census->MbrEntries.size();
  MbrEntry = std::lower_bound(census->MbrEntries.data(), MbrEntryEnd, low,
                              [](const TSlot& slot, std::uint64_t key) { return slot.bits < key; });
  MbrBuckets = &census->MbrSpill;
  MbrBucket = MbrBuckets->BucketOf(low);
  const TKeyBuckets::TView bucket = MbrBuckets->Bucket(MbrBucket);
  MbrSpillEnd = bucket.data() + bucket.size();
  MbrSpill = std::lower_bound(bucket.data(), MbrSpillEnd, low);
  if (MbrSpill == MbrSpillEnd) NextBucket();
}

void TValueCensus::TCursor::NextBucket() {
  if (MbrBuckets == nullptr) return;
  while (MbrSpill == MbrSpillEnd && MbrBucket + 1 < TKeyBuckets::kBuckets) {
    const TKeyBuckets::TView bucket = MbrBuckets->Bucket(++MbrBucket);
    MbrSpill = bucket.data();
    MbrSpillEnd = MbrSpill + bucket.size();
  }
}

std::vector<TValueCensus::TStretch> TValueCensus::Cut(const TValueCensus& first, const TValueCensus* second,
                                                      std::size_t count) {
  // The largest sorted list of the two censuses gives the bounds, at equal steps.
  std::vector<std::uint64_t> keys;
  std::size_t largest = 0;
  const auto consider = [&](const TValueCensus& census) {
    const std::size_t spilled = census.MbrSpill.Size();
    if (spilled > largest) {
      largest = spilled;
      keys.clear();
      for (std::size_t i = 1; i < count; ++i) keys.push_back(census.MbrSpill.At(i * largest / count));
    }
    if (census.MbrEntries.size() > largest) {
      largest = census.MbrEntries.size();
      keys.clear();
      for (std::size_t i = 1; i < count; ++i) keys.push_back(census.MbrEntries[i * largest / count].bits);
    }
  };
  consider(first);
  if (second != nullptr) consider(*second);
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  std::vector<TStretch> stretches;
  std::uint64_t low = 0;
  for (std::uint64_t key : keys) {
    if (key == low) continue;
    stretches.push_back(TStretch(low, key));
    low = key;
  }
  stretches.push_back(TStretch(low, kNoKey));
  return stretches;
}
