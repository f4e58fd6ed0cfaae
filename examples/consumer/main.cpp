// Loads the grids named on the command line, prints the size of each, then the
// census of the first: "value count" lines in ascending order of value.
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
