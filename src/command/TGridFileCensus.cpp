#include "TGridFileCensus.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "TGridScanner.h"
#include "TInputFile.h"
#include "TProgressLine.h"
#include "TTokenCensus.h"
#include "TTwoThreads.h"

namespace {
const char* const kChangedWhileRead = "The file changed while it was read: ";

// Thrown into the second part's reading when the first part has failed.
struct TCancelled {};

bool IsRegularFile(const std::string& name) {
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Counts cells [first, last) from the scanner's place, up to a token at `stop`;
// returns the index of the first cell not counted.
long long CountPart(TGridScanner& scanner, long ncols, long long first, long long last, long long stop,
                    std::size_t maxDecimalCounters, TValueCensus& values) {
  values.ExpectCells(last - first);
  TTokenCensus tokens(values, maxDecimalCounters);
  const long long reached = scanner.ReadCellRange(
      ncols, first, last, stop,
      [&tokens](const char* text, std::size_t length, long row, long column) { tokens.Add(text, length, row, column); });
  tokens.Finish();
  return reached;
}
}  // namespace

TGridFileCensus::TGridFileCensus(const std::string& name, TProgressLine* progress, long long split) {
  TInputFile file(name);
  TGridScanner scanner(file.Stream());
  const TGridHeader header = scanner.ReadHeader();
  const long long cells = header.Cells();
  const long long start = scanner.Consumed();
  const long long size = scanner.RemainingBytes();
  if (split == kAutomaticSplit) {
    const bool large = size - start >= kTwoPartMinBytes && IsRegularFile(name);
    split = large ? start + static_cast<long long>(static_cast<double>(size - start) * kFirstPartShare) : size;
  }
  const auto report = [progress](unsigned long long bytes) {
    if (progress != nullptr) progress->Update(bytes, TProgressLine::TClock::now());
  };
  if (cells == 0 || size < 0 || split >= size) {
    scanner.OnRead(report);
    CountPart(scanner, header.ncols, 0, cells, TGridScanner::kNoStop, TDecimalCensus::kMaxCounters, MbrFirst);
    MbrFirst.Sort();
    MbrSecond.Sort();
    return;
  }

  split = std::max(split, start);
  const std::size_t maxDecimalCounters = TDecimalCensus::kMaxCounters;
  std::atomic<bool> cancelled{false};
  std::atomic<unsigned long long> secondBytes{0};
  long long firstReached = 0;
  long long secondFirst = 0;
  TTwoThreads::Run(
      [&] {
        try {
          TInputFile secondFile(name);
          secondFile.Stream().seekg(start);
          TGridScanner second(secondFile.Stream());
          const auto before = static_cast<unsigned long long>(split - start);
          second.OnRead([&cancelled, &secondBytes, before](unsigned long long bytes) {
            if (cancelled.load(std::memory_order_relaxed)) throw TCancelled{};
            secondBytes.store(bytes > before ? bytes - before : 0, std::memory_order_relaxed);
          });
          secondFirst = second.SkipTokens(split - start, cells);
          CountPart(second, header.ncols, secondFirst, cells, TGridScanner::kNoStop, maxDecimalCounters, MbrSecond);
          MbrSecond.Sort(false);
        } catch (const char* message) {
          // The text lives in storage of this thread, which ends here.
          throw std::string(message);
        }
      },
      [&] {
        try {
          scanner.OnRead([&report, &secondBytes](unsigned long long bytes) {
            report(bytes + secondBytes.load(std::memory_order_relaxed));
          });
          firstReached = CountPart(scanner, header.ncols, 0, cells, split, maxDecimalCounters, MbrFirst);
          MbrFirst.Sort(false);
        } catch (...) {
          cancelled = true;
          throw;
        }
      });
  if (firstReached != std::min(secondFirst, cells)) throw std::string(kChangedWhileRead) + name;
}
