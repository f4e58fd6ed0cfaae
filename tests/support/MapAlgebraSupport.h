#pragma once

// Small builders and readers of maps for the map-algebra tests.

#include <cstring>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "TAxis.h"
#include "TMap.h"
#include "TPoint.h"
#include "TestSupport.h"

using Cells = std::vector<std::vector<double>>;

// A map read from ASCII grid text with the given header; `cells` lists the rows
// from the north.
inline TMapPtr MakeGrid(long columns, long rows, double xll, double yll, double cellSize, double noData,
                        const std::string& cells) {
  std::ostringstream text;
  text << std::setprecision(17) << "ncols " << columns << "\nnrows " << rows << "\nxllcorner " << xll << "\nyllcorner "
       << yll << "\ncellsize " << cellSize << "\nNODATA_value " << noData << "\n"
       << cells << "\n";
  return GridFromText(text.str());
}

// The selected ordinate of every point of an axis.
inline std::vector<double> Ordinates(const TAxis* axis, char which) {
  std::vector<double> values;
  for (long k = 0; k < axis->GetSize(); ++k)
    values.push_back(which == 'X' ? axis->GetPoint(k)->GetX() : axis->GetPoint(k)->GetY());
  return values;
}

// Everything a map shows: cells, no-data value, resolution and the four axes.
struct MapShape {
  Cells Values;
  double NoData, Resolution;
  std::vector<double> XCentres, YCentres, XEdges, YEdges;

  explicit MapShape(const TMap* map)
      : Values(map->MbrVecValues),
        NoData(map->GetNoData()),
        Resolution(map->GetResolution()),
        XCentres(Ordinates(map->GetXAxis(), 'X')),
        YCentres(Ordinates(map->GetYAxis(), 'Y')),
        XEdges(Ordinates(map->GetXAxisInterval(), 'X')),
        YEdges(Ordinates(map->GetYAxisInterval(), 'Y')) {}

  // Cells compared bit for bit, so that NaN equals NaN and -0 differs from 0.
  bool operator==(const MapShape& other) const {
    return SameBits(Values, other.Values) && NoData == other.NoData && Resolution == other.Resolution &&
           XCentres == other.XCentres && YCentres == other.YCentres && XEdges == other.XEdges && YEdges == other.YEdges;
  }

  static bool SameBits(const Cells& a, const Cells& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i].size() != b[i].size()) return false;
      if (a[i].size() != 0 && std::memcmp(a[i].data(), b[i].data(), a[i].size() * sizeof(double)) != 0) return false;
    }
    return true;
  }
};
