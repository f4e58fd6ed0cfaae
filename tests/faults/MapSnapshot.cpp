#include "MapSnapshot.h"

#include <cstdint>
#include <cstring>

#include "TAxis.h"
#include "TMap.h"
#include "TPoint.h"

namespace {
void AddBits(std::string& out, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  out += std::to_string(bits);
  out += ',';
}

void AddAxis(std::string& out, const TAxis* axis) {
  if (axis == nullptr) {
    out += "none;";
    return;
  }
  AddBits(out, axis->GetResolution());
  for (const TPoint* p : axis->MbrVecPoints) {
    AddBits(out, p->GetX());
    AddBits(out, p->GetY());
  }
  out += ';';
}
}  // namespace

std::string MapSnapshot(const TMap* map) {
  std::string out = std::to_string(map->GetXDim()) + "x" + std::to_string(map->GetYDim()) + ":";
  AddBits(out, map->GetResolution());
  AddBits(out, map->GetNoData());
  for (const auto& row : map->MbrVecValues) {
    for (double v : row) AddBits(out, v);
    out += '|';
  }
  AddAxis(out, map->GetXAxis());
  AddAxis(out, map->GetYAxis());
  AddAxis(out, map->GetXAxisInterval());
  AddAxis(out, map->GetYAxisInterval());
  return out;
}

std::vector<std::string> StackSnapshot(const std::vector<TMap*>& maps) {
  std::vector<std::string> out;
  for (const TMap* map : maps) out.push_back(MapSnapshot(map));
  return out;
}
