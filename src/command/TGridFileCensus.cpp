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

// What tells one state of a file from another: the same file, unchanged, has the
// same identity.
struct TFileIdentity {
  bool regular = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modifiedSeconds = 0;
  long modifiedNanoseconds = 0;

  explicit TFileIdentity(const std::string& name) {
    struct stat info;
    if (::stat(name.c_str(), &info) != 0) return;
    regular = S_ISREG(info.st_mode);
    device = info.st_dev;
    inode = info.st_ino;
    size = info.st_size;
    modifiedSeconds = info.st_mtim.tv_sec;
    modifiedNanoseconds = info.st_mtim.tv_nsec;
  }

  bool operator==(const TFileIdentity& other) const {
    return regular == other.regular && device == other.device && inode == other.inode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds;
  }
};

// Counts cells [first, last) from the scanner's place, up to a token at `stop`;
// returns the index of the first cell not counted.
long long CountPart(TGridScanner& scanner, long ncols, long long first, long long last, long long stop,
                    TValueCensus& values) {
  values.ExpectCells(last - first);
  TTokenCensus tokens(values);
  const long long reached = scanner.ReadCellRange(
      ncols, first, last, stop,
      [&tokens](const char* text, std::size_t length, long row, long column) { tokens.Add(text, length, row, column); });
  tokens.Finish();
  return reached;
}
}  // namespace

TGridFileCensus::TGridFileCensus(const std::string& name, TProgressLine* progress, long long split) {
  // Taken before the first opening: the second part's opening must find the same.
  const TFileIdentity identity(name);
  TInputFile file(name);
  TGridScanner scanner(file.Stream());
  const TGridHeader header = scanner.ReadHeader();
  const long long cells = header.Cells();
  const long long start = scanner.Consumed();
  const long long size = scanner.RemainingBytes();
  if (split == kAutomaticSplit) {
    const bool large = size - start >= kTwoPartMinBytes && identity.regular;
    split = large ? start + static_cast<long long>(static_cast<double>(size - start) * kFirstPartShare) : size;
  }
  const auto report = [progress](unsigned long long bytes) {
    if (progress != nullptr) progress->Update(bytes, TProgressLine::TClock::now());
  };
  if (cells == 0 || size < 0 || split >= size) {
    scanner.OnRead(report);
    CountPart(scanner, header.ncols, 0, cells, TGridScanner::kNoStop, MbrFirst);
    MbrFirst.Sort();
    MbrSecond.Sort();
    return;
  }

  split = std::max(split, start);
  std::atomic<bool> cancelled{false};
  std::atomic<unsigned long long> secondBytes{0};
  long long firstReached = 0;
  long long secondFirst = 0;
  TTwoThreads::Run(
      [&] {
        try {
          TInputFile secondFile(name);
          if (!(TFileIdentity(name) == identity)) throw std::string(kChangedWhileRead) + name;
          secondFile.Stream().seekg(start);
          TGridScanner second(secondFile.Stream());
          const auto before = static_cast<unsigned long long>(split - start);
          second.OnRead([&cancelled, &secondBytes, before](unsigned long long bytes) {
            if (cancelled.load(std::memory_order_relaxed)) throw TCancelled{};
            secondBytes.store(bytes > before ? bytes - before : 0, std::memory_order_relaxed);
          });
          secondFirst = second.SkipTokens(split - start, cells);
          CountPart(second, header.ncols, secondFirst, cells, TGridScanner::kNoStop, MbrSecond);
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
          firstReached = CountPart(scanner, header.ncols, 0, cells, split, MbrFirst);
          MbrFirst.Sort(false);
        } catch (...) {
          cancelled = true;
          throw;
        }
      });
  if (firstReached != std::min(secondFirst, cells)) throw std::string(kChangedWhileRead) + name;
}
