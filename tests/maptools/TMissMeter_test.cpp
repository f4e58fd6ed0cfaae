#include "TMissMeter.h"

#include "TestSupport.h"

namespace {
// Notes one window of look-ups, all missed or all hit, then counts the items
// that skip the cache before the next look-up.
long WindowThenBypassed(TMissMeter& meter, bool missed) {
  for (long i = 0; i < TMissMeter::kWindow; ++i) meter.Note(missed);
  long bypassed = 0;
  while (meter.Bypass()) ++bypassed;
  return bypassed;
}

TEST(MissMeter, TheSkippedSpanDoublesWhileWindowsMissAndFallsBackAfterAHit) {
  TMissMeter meter;
  EXPECT_FALSE(meter.Bypass());
  long span = TMissMeter::kBypassSpan;
  for (; span <= TMissMeter::kMaxBypassSpan; span *= 2) EXPECT_EQ(WindowThenBypassed(meter, true), span);
  EXPECT_EQ(WindowThenBypassed(meter, true), TMissMeter::kMaxBypassSpan);
  EXPECT_EQ(WindowThenBypassed(meter, false), 0);
  EXPECT_EQ(WindowThenBypassed(meter, true), TMissMeter::kBypassSpan);
}
}  // namespace
