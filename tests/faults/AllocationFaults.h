#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Allocation failure injection for the fault tests: this test program replaces
// the global operator new so that the N-th allocation after arming throws
// std::bad_alloc, and counts the allocations that are alive.
namespace AllocationFaults {

// Makes allocation number `n` (counted from 1 after this call) throw; 0 disarms.
void FailAt(long n);
// Allocations made and not yet released.
long Live();
// Whether the last armed countdown reached its allocation.
bool Fired();

// Runs `attempt` with allocation N failing, for N = 1, 2, ... until it
// succeeds. After each failure `check` is called (inputs unchanged and so on)
// and the allocations alive before the attempt must be alive again: anything
// more is a leak. Returns the number of failing allocations tried; records
// test failures through GoogleTest.
long FailEachAllocationInTurn(const std::function<void()>& attempt, const std::function<void()>& check,
                              const std::string& what);

}  // namespace AllocationFaults
