// Times the library's side of the census on one grid file: loading it with
// TARCGISFileTools::LoadARCGISFile, then TMapTools::CountValues(TMap*).
//
//   census_library_bench GRID [REPEATS]
//
// Prints one line: cells, the median seconds of each step and the load's
// throughput in MB/s of file text.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "TARCGISFileTools.h"
#include "TMap.h"
#include "TMapTools.h"

namespace {
const int kDefaultRepeats = 3;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "Usage: census_library_bench GRID [REPEATS]\n");
    return 2;
  }
  const int repeats = argc == 3 ? std::max(1, std::atoi(argv[2])) : kDefaultRepeats;
  struct stat info;
  if (::stat(argv[1], &info) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  try {
    std::vector<double> loads;
    std::vector<double> counts;
    long cells = 0;
    std::size_t distinct = 0;
    for (int i = 0; i < repeats; ++i) {
      auto start = std::chrono::steady_clock::now();
      std::unique_ptr<TMap> map(TARCGISFileTools::LoadARCGISFile(std::string(argv[1])));
      loads.push_back(Seconds(start));
      start = std::chrono::steady_clock::now();
      const ValueCountTable table = TMapTools::CountValues(map.get());
      counts.push_back(Seconds(start));
      cells = map->GetXDim() * map->GetYDim();
      distinct = table.size();
    }
    const double load = Median(loads);
    std::printf("cells %ld distinct %zu load_s %.3f load_MB_per_s %.0f count_values_s %.3f\n", cells, distinct, load,
                static_cast<double>(info.st_size) / 1e6 / load, Median(counts));
  } catch (const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 1;
  } catch (const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
  }
  return 0;
}
