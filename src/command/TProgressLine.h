#pragma once

#include <chrono>
#include <iosfwd>
#include <string>

// A line on a terminal that shows how far the reading of a grid has come:
// "Reading NAME: 512 of 2048 MB (25%), 812 MB/s". It appears only once the
// reading has taken longer than a delay, is redrawn at most a few times a
// second, and is erased before anything else is written.
class TProgressLine {
 public:
  using TClock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kDefaultDelay{1000};
  static constexpr std::chrono::milliseconds kRedrawInterval{200};

  // `total` is the size of the input in bytes, or a negative number when unknown.
  TProgressLine(std::ostream& err, std::string name, long long total, TClock::time_point start,
                std::chrono::milliseconds delay = kDefaultDelay);

  // Records that `bytes` have been read by `now`, redrawing when due.
  void Update(unsigned long long bytes, TClock::time_point now);
  // Removes the line if it is shown.
  void Erase();

 private:
  std::ostream& MbrErr;
  std::string MbrName;
  long long MbrTotal;
  TClock::time_point MbrStart;
  TClock::time_point MbrNextDraw;
  bool MbrShown = false;
};
