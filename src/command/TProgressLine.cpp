#include "TProgressLine.h"

#include <ostream>

#include "TNumberText.h"

namespace {
// Return to the start of the line and clear it.
const char* const kClearLine = "\r\033[K";
const double kBytesPerMegabyte = 1e6;
const int kShownDigits = 4;
const int kPercent = 100;

std::string Number(double value) {
  char text[TNumberText::kBufferSize];
  return std::string(text, TNumberText::FormatGeneral(value, kShownDigits, text));
}
}  // namespace

TProgressLine::TProgressLine(std::ostream& err, std::string name, long long total, TClock::time_point start,
                             std::chrono::milliseconds delay)
    : MbrErr(err), MbrName(std::move(name)), MbrTotal(total), MbrStart(start), MbrNextDraw(start + delay) {}

void TProgressLine::Update(unsigned long long bytes, TClock::time_point now) {
  if (now < MbrNextDraw) return;
  MbrNextDraw = now + kRedrawInterval;
  const double seconds = std::chrono::duration<double>(now - MbrStart).count();
  const double megabytes = static_cast<double>(bytes) / kBytesPerMegabyte;
  std::string line = kClearLine;
  line += "Reading " + MbrName + ": " + Number(megabytes);
  if (MbrTotal > 0) {
    const long long percent = static_cast<long long>(bytes) * kPercent / MbrTotal;
    line += " of " + Number(static_cast<double>(MbrTotal) / kBytesPerMegabyte) + " MB (" + std::to_string(percent) + "%)";
  } else {
    line += " MB";
  }
  if (seconds > 0) line += ", " + Number(megabytes / seconds) + " MB/s";
  MbrErr << line << std::flush;
  MbrShown = true;
}

void TProgressLine::Erase() {
  if (!MbrShown) return;
  MbrErr << kClearLine << std::flush;
  MbrShown = false;
}
