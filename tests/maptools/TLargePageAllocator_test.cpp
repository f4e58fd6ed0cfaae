#include "TLargePageAllocator.h"

#include <cstdint>
#include <new>
#include <numeric>
#include <vector>

#include "TestSupport.h"

namespace {
TEST(LargePageAllocator, ServesSmallAndLargeBlocksAndRefusesWhatCannotBeHad) {
  // A vector grows through small blocks into mapped ones and keeps its items.
  std::vector<std::uint64_t, TLargePageAllocator<std::uint64_t>> items;
  const std::size_t count = 3 * TLargePageAllocator<std::uint64_t>::kLargeBlock / sizeof(std::uint64_t);
  for (std::size_t i = 0; i < count; ++i) items.push_back(i * 3);
  ASSERT_EQ(items.size(), count);
  EXPECT_EQ(std::accumulate(items.begin(), items.end(), std::uint64_t{0}), 3 * (count * (count - 1) / 2));
  // Far more than any machine has: refused with bad_alloc, as a census expects
  // when it asks for room ahead.
  TLargePageAllocator<std::uint64_t> allocator;
  EXPECT_THROW(allocator.allocate(std::size_t{1} << 52), std::bad_alloc);
  EXPECT_THROW(allocator.allocate(~std::size_t{0}), std::bad_alloc);
}
}  // namespace
