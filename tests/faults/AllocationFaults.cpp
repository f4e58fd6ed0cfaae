#include "AllocationFaults.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> gCountdown{0};
std::atomic<long> gLive{0};
std::atomic<bool> gFired{false};
// Stops a runaway loop if an operation never stops allocating.
const long kMaxAttempts = 1000000;

void* Allocate(std::size_t size) {
  if (gCountdown.load(std::memory_order_relaxed) > 0 && gCountdown.fetch_sub(1) == 1) {
    gFired = true;
    throw std::bad_alloc();
  }
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  gLive.fetch_add(1, std::memory_order_relaxed);
  return p;
}

void Release(void* p) noexcept {
  if (p == nullptr) return;
  gLive.fetch_sub(1, std::memory_order_relaxed);
  std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace AllocationFaults {

void FailAt(long n) {
  gFired = false;
  gCountdown = n;
}

long Live() { return gLive.load(); }

bool Fired() { return gFired.load(); }

long FailEachAllocationInTurn(const std::function<void()>& attempt, const std::function<void()>& check,
                              const std::string& what) {
  for (long n = 1; n < kMaxAttempts; ++n) {
    const long before = Live();
    bool failed = false;
    FailAt(n);
    try {
      attempt();
    } catch (const std::bad_alloc&) {
      failed = true;
    }
    const bool fired = Fired();
    FailAt(0);
    if (!failed) {
      EXPECT_FALSE(fired) << what << ": allocation " << n << " failed but the operation reported success";
      return n - 1;
    }
    EXPECT_EQ(Live(), before) << what << ": allocation " << n << " failed and " << (Live() - before)
                              << " allocations were left alive";
    check();
    if (::testing::Test::HasFailure()) return n;
  }
  ADD_FAILURE() << what << ": never succeeded";
  return kMaxAttempts;
}

}  // namespace AllocationFaults
