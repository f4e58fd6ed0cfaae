#pragma once

#include <string>
#include <vector>

class TMap;

// Everything observable about a map (dimensions, resolution, no-data value,
// every cell and every axis point, bit for bit) as one comparable string.
std::string MapSnapshot(const TMap* map);
std::vector<std::string> StackSnapshot(const std::vector<TMap*>& maps);
