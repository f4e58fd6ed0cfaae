#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AllocationFaults.h"
#include "MapSnapshot.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
TMapPtr Grid(double cellSize, const std::string& cells, long columns, long rows) {
  return GridFromText("ncols " + std::to_string(columns) + "\nnrows " + std::to_string(rows) +
                      "\nxllcorner 0\nyllcorner 0\ncellsize " + std::to_string(cellSize) +
                      "\nNODATA_value -9999\n" + cells);
}

// A stack of maps that the operations below read; each operation must leave
// them exactly as they were, whichever allocation fails.
struct Inputs {
  TMapPtr fine = Grid(1, "1 2 3 4\n5 -9999 7 8\n9 10 11 12\n13 14 15 16\n", 4, 4);
  TMapPtr fine2 = Grid(1, "2 2 2 2\n3 3 3 3\n4 4 -9999 4\n5 5 5 5\n", 4, 4);
  TMapPtr fine3 = Grid(1, "0 1 0 1\n1 0 1 0\n0 1 0 1\n1 0 1 0\n", 4, 4);
  TMapPtr coarse = Grid(2, "1 2\n3 4\n", 2, 2);

  std::vector<TMap*> Stack() const { return {fine.get(), fine2.get(), fine3.get()}; }
  std::vector<std::string> Snapshot() const {
    return StackSnapshot({fine.get(), fine2.get(), fine3.get(), coarse.get()});
  }
};

void ReleaseAll(std::vector<TMap*> maps) {
  for (TMap* m : maps) delete m;
}

void ReleaseTable(const ValueLocationTable& table) {
  for (const auto& entry : table) delete entry.second;
}

TEST(AllocationFaults, MapOperationsLeakNothingAndLeaveTheirInputsAlone) {
  Inputs in;
  const std::vector<std::string> before = in.Snapshot();
  struct Case {
    const char* name;
    std::function<void()> run;
  };
  const Case cases[] = {
      {"Add", [&] { TMapPtr(TMapTools::Add(in.fine.get(), in.coarse.get())); }},
      {"Multiply", [&] { TMapPtr(TMapTools::Multiply(in.coarse.get(), in.fine.get())); }},
      {"Divide", [&] { TMapPtr(TMapTools::Divide(in.fine.get(), in.coarse.get())); }},
      {"Subtract", [&] { TMapPtr(TMapTools::Subtract(in.fine.get(), in.fine2.get())); }},
      {"Sum", [&] { TMapPtr(TMapTools::Sum(in.Stack())); }},
      {"Average", [&] { TMapPtr(TMapTools::Average(in.Stack())); }},
      {"MovingAverage", [&] { ReleaseAll(TMapTools::MovingAverage(in.Stack(), 2)); }},
      {"Threshold of a stack", [&] { ReleaseAll(TMapTools::Threshold(in.Stack(), 3)); }},
      {"RoundContents", [&] { TMapPtr(TMapTools::RoundContents(in.fine.get())); }},
      {"ReplaceValue", [&] { TMapPtr(TMapTools::ReplaceValue(in.fine.get(), {{1, 10}, {2, 20}}, 0)); }},
      {"Downscale", [&] { TMapPtr(TMapTools::Downscale(in.fine.get(), 2)); }},
      {"Subdivide", [&] { TMapPtr(TMapTools::Subdivide(in.coarse.get(), 2)); }},
      {"BilinearInterpolate", [&] { TMapPtr(TMapTools::BilinearInterpolate(in.fine.get(), 0.5)); }},
      {"Extract",
       [&] {
         TPoint a(0.5, 0.5), b(2.5, 3.5);
         TMapPtr(TMapTools::Extract(in.fine.get(), &a, &b));
       }},
      {"Intersection",
       [&] {
         TMap* first = nullptr;
         TMap* second = nullptr;
         try {
           TMapTools::Intersection(in.fine.get(), in.coarse.get(), first, second);
         } catch (...) {
           delete first;  // the first part is the caller's once it is handed over
           throw;
         }
         delete first;
         delete second;
       }},
      {"ValueGradients", [&] { ReleaseAll(TMapTools::ValueGradients(in.Stack(), 1)); }},
      {"GetFirstValues", [&] { ReleaseTable(TMapTools::GetFirstValues(in.fine.get(), {-9999})); }},
      {"GetFirstValues of a stack",
       [&] {
         for (const auto& table : TMapTools::GetFirstValues(in.Stack(), {})) ReleaseTable(table);
       }},
      {"GetValuesOverlay", [&] { TMapTools::GetValuesOverlay(in.fine.get(), in.fine3.get(), {}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const long tried = AllocationFaults::FailEachAllocationInTurn(
        c.run, [&] { EXPECT_EQ(in.Snapshot(), before); }, c.name);
    EXPECT_GT(tried, 0);
  }
}
}  // namespace
