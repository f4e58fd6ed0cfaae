// Loads the grids named on the command line and prints the size of each; for two
// or more grids, the cells where their average reaches a threshold, as a grid
// (1 there, 0 elsewhere); then the census of the first grid: "value count" lines
// in ascending order of value.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "TARCGISFileTools.h"
#include "TMap.h"
#include "TMapTools.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "Usage: consumer ASCFile...\n";
    return 2;
  }
  try {
    const std::vector<std::string> names(argv + 1, argv + argc);
    // The loader hands over every map; hold them so that each is deleted.
    std::vector<std::unique_ptr<TMap>> maps;
    for (TMap* map : TARCGISFileTools::LoadFileList(names)) maps.emplace_back(map);

    for (std::size_t i = 0; i < maps.size(); ++i)
      std::cout << names[i] << ": " << maps[i]->GetXDim() << " columns, " << maps[i]->GetYDim() << " rows, cell size "
                << maps[i]->GetResolution() << "\n";
    if (maps.size() >= 2) {
      const double threshold = 40;
      std::vector<TMap*> stack;
      for (const auto& map : maps) stack.push_back(map.get());
      std::unique_ptr<TMap> average(TMapTools::Average(stack));
      // Threshold keeps the values at or above it and sets the others to 0.
      std::unique_ptr<TMap> kept(TMapTools::Threshold(average.get(), threshold));
      std::unique_ptr<TMap> flags(TMapTools::ReplaceValue(kept.get(), {{0, 0}}, 1));
      std::cout << "average of " << maps.size() << " grids at or above " << threshold << ": "
                << TMapTools::CountValues(flags.get(), 1) << " cells\n";
      // The stream form writes with the stream's settings: enough digits for the corner.
      const std::streamsize precision = std::cout.precision(10);
      TARCGISFileTools::WriteARCGISFile(flags.get(), std::cout);
      std::cout.precision(precision);
    }
    std::cout << "census of " << names.front() << ":\n";
    for (const auto& [value, count] : TMapTools::CountValues(maps.front().get()))
      std::cout << value << " " << count << "\n";
  } catch (const char* message) {
    std::cerr << message << "\n";
    return 1;
  } catch (const std::string& message) {
    std::cerr << message << "\n";
    return 1;
  }
  std::cout.flush();
  return std::cout ? 0 : 1;
}
