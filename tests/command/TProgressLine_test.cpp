#include "TProgressLine.h"

#include <sstream>

#include "TestSupport.h"

namespace {
using std::chrono::milliseconds;
using TClock = TProgressLine::TClock;

TEST(TProgressLine, AppearsAfterTheDelayRedrawsSparinglyAndErasesItself) {
  std::ostringstream err;
  const TClock::time_point start{};
  TProgressLine line(err, "g.asc", 4000000, start);
  line.Update(500000, start + milliseconds(999));
  EXPECT_EQ(err.str(), "");
  line.Update(1000000, start + milliseconds(2000));
  EXPECT_EQ(err.str(), "\r\033[KReading g.asc: 1 of 4 MB (25%), 0.5 MB/s");
  line.Update(2000000, start + milliseconds(2100));  // too soon to redraw
  EXPECT_EQ(err.str(), "\r\033[KReading g.asc: 1 of 4 MB (25%), 0.5 MB/s");
  err.str("");
  line.Update(3000000, start + milliseconds(2500));
  EXPECT_EQ(err.str(), "\r\033[KReading g.asc: 3 of 4 MB (75%), 1.2 MB/s");
  err.str("");
  line.Erase();
  EXPECT_EQ(err.str(), "\r\033[K");
  err.str("");
  line.Erase();
  EXPECT_EQ(err.str(), "");
}

TEST(TProgressLine, UnknownSizesShowOnlyTheBytesRead) {
  std::ostringstream err;
  const TClock::time_point start{};
  TProgressLine line(err, "-", -1, start, milliseconds(0));
  line.Update(2500000, start + milliseconds(1000));
  EXPECT_EQ(err.str(), "\r\033[KReading -: 2.5 MB, 2.5 MB/s");
}

TEST(TProgressLine, NeverShownLinesLeaveNothingToErase) {
  std::ostringstream err;
  TProgressLine line(err, "g.asc", 10, TClock::now());
  line.Erase();
  EXPECT_EQ(err.str(), "");
}
}  // namespace
