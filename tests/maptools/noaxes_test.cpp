// Maps whose axes were never set: every operation that needs them reports it
// instead of reading through a missing axis.
#include <functional>
#include <memory>
#include <string>

#include "TAxis.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
std::string Thrown(const std::function<void()>& run) {
  try {
    run();
  } catch (const char* message) {
    return message;
  }
  return "<nothing thrown>";
}

TEST(MapsWithoutAxes, ReportTheMissingAxesInsteadOfReadingThem) {
  TMap bare(1.0, 2, 2);
  TMapPtr real = GridFromText("ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n1 2\n3 4\n");
  TPoint p(0.5, 0.5);
  struct Case {
    const char* name;
    std::function<void()> run;
    const char* message;
  };
  const Case cases[] = {
      {"GetCoordinates", [&] { delete bare.GetCoordinates(0, 0); }, "Map has no axes in TMap::GetCoordinates"},
      {"GetPoint by indices", [&] { delete bare.GetPoint(0, 0); }, "Map has no axes in TMap::GetPoint"},
      {"GetPointVal by point", [&] { bare.GetPointVal(&p); }, "Map has no axes in TMap::GetPointVal"},
      {"SetPoint by point", [&] { bare.SetPoint(&p, 1); }, "Map has no axes in TMap::SetPoint"},
      {"GetIndex", [&] { bare.GetIndex(0.5, 'X'); }, "Map has no axes in TMap::GetIndex"},
      {"axis constructor", [&] { TMap(bare.GetXAxis(), bare.GetYAxis()); }, "Axis is missing in TMap::TMap"},
      {"SetXAxis", [&] { bare.SetXAxis(nullptr); }, "Axis is missing in TMap::SetXAxis"},
      {"SetYAxisInterval", [&] { bare.SetYAxisInterval(nullptr); }, "Axis is missing in TMap::SetYAxisInterval"},
      {"Add as base", [&] { delete TMapTools::Add(&bare, real.get()); }, "Axis is missing in TMap::SetXAxis"},
      {"Add as other", [&] { delete TMapTools::Add(real.get(), &bare); }, "Map has no axes in TMap::GetPointVal"},
      {"Threshold", [&] { delete TMapTools::Threshold(&bare, 1); }, "Axis is missing in TMap::TMap"},
      {"Downscale", [&] { delete TMapTools::Downscale(&bare, 2); }, "Map has no axes in TMap::GetIndex"},
      {"BilinearInterpolate", [&] { delete TMapTools::BilinearInterpolate(&bare, 0.5); },
       "Map has no axes in TMap::GetIndex"},
      {"Extract", [&] { delete TMapTools::Extract(&bare, &p, &p); }, "Map has no axes in TMap::GetIndex"},
      {"Insert", [&] { TMapTools::Insert(real.get(), &bare); }, "Map has no axes in TMap::GetIndex"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Thrown(c.run), c.message);
  }
}
}  // namespace
