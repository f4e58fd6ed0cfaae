#include "TValueCountCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "TGridFileCensus.h"
#include "TNumberText.h"
#include "TProgressLine.h"
#include "TTwoThreads.h"

namespace {
const char* const kUsage = "Usage: gridtally ASCFile";
const char* const kOutOfMemory = "Out of memory in gridtally";
const char* const kWriteFailed = "Unable to write the results to standard output";
const char* const kUnknownFailure = "Unknown failure in gridtally";
const int kValuePrecision = 6;
// Text written at a time by one thread.
const std::size_t kOutputChunk = std::size_t{1} << 16;
// Walks this long or longer are formatted on two threads, in stretches of about
// this many lines.
const std::size_t kTwoThreadLinesFrom = std::size_t{1} << 18;
const std::size_t kLinesPerStretch = std::size_t{1} << 16;

// The text of result lines, "value count\n" each. Values come in ascending order,
// and a run of them often shares one text: it is written once and then copied.
class TLineText {
 public:
  void Line(double value, long count) {
    if (MbrText.size() - MbrUsed < kLineRoom) MbrText.resize(std::max(2 * MbrText.size(), kOutputChunk + kLineRoom));
    char* const start = MbrText.data() + MbrUsed;
    char* p = start;
    if (std::signbit(value) != MbrLastNegative || !MbrLastSame.Holds(std::fabs(value))) {
      MbrLastLength = TNumberText::FormatGeneral(value, kValuePrecision, MbrLast, MbrLastSame);
      MbrLastNegative = std::signbit(value);
    }
    std::memcpy(p, MbrLast, MbrLastLength);
    p += MbrLastLength;
    *p++ = ' ';
    p = std::to_chars(p, p + TNumberText::kBufferSize, count).ptr;
    *p++ = '\n';
    MbrUsed += static_cast<std::size_t>(p - start);
  }

  std::size_t Size() const { return MbrUsed; }

  // Writes the text to `out` and starts afresh.
  void WriteTo(std::ostream& out) {
    out.write(MbrText.data(), static_cast<std::streamsize>(MbrUsed));
    MbrUsed = 0;
  }

 private:
  static constexpr std::size_t kLineRoom = 2 * TNumberText::kBufferSize + 2;

  std::vector<char> MbrText;
  std::size_t MbrUsed = 0;
  // The last value's text, and the values that share it.
  char MbrLast[TNumberText::kBufferSize];
  std::size_t MbrLastLength = 0;
  bool MbrLastNegative = false;
  TNumberText::TSameText MbrLastSame;
};

void WriteLinesOnOneThread(TGridFileCensus& values, std::ostream& out) {
  TLineText text;
  values.ForEachAscending([&text, &out](double value, long count) {
    text.Line(value, count);
    if (text.Size() >= kOutputChunk) text.WriteTo(out);
  });
  text.WriteTo(out);
}

// Writes a line for every value, in ascending order. A long walk is cut into
// stretches that two threads format at once, each into a text of its own; the
// texts are written in the order of the stretches.
void WriteLines(TGridFileCensus& values, std::ostream& out) {
  if (values.Items() < kTwoThreadLinesFrom) return WriteLinesOnOneThread(values, out);
  const std::vector<TValueCensus::TStretch> stretches = values.Cut(values.Items() / kLinesPerStretch + 1);
  std::mutex mutex;
  std::condition_variable turns;
  std::size_t turn = 0;  // the stretch to be written next
  bool failed = false;
  const auto work = [&](std::size_t first) {
    TLineText text;
    try {
      for (std::size_t i = first; i < stretches.size(); i += 2) {
        values.WalkStretch(stretches[i], [&text](double value, long count) { text.Line(value, count); });
        std::unique_lock<std::mutex> lock(mutex);
        turns.wait(lock, [&] { return turn == i || failed; });
        if (failed) return;
        text.WriteTo(out);
        ++turn;
        turns.notify_all();
      }
    } catch (...) {
      {
        std::lock_guard<std::mutex> lock(mutex);
        failed = true;
      }
      turns.notify_all();
      throw;
    }
  };
  auto odd = [&work] { work(1); };
  auto even = [&work] { work(0); };
  if (!TTwoThreads::RunIfPossible(odd, even)) WriteLinesOnOneThread(values, out);
}

void CountGrid(const char* fileName, std::ostream& out, TProgressLine* progress) {
  TGridFileCensus values(fileName, progress);
  if (progress != nullptr) progress->Erase();
  WriteLines(values, out);
  out.flush();
  if (!out) throw kWriteFailed;
}

// The size of the named file in bytes, or -1 when it cannot be told.
long long FileSize(const char* name) {
  struct stat info;
  return ::stat(name, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<long long>(info.st_size) : -1;
}

// One line, whatever the text holds.
void Report(std::ostream& err, const std::string& message) {
  std::string line = message;
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  err << line << std::endl;
}
}  // namespace

int TValueCountCommand::Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                            bool showProgress) {
  if (argc != 2) {
    Report(err, kUsage);
    return kUsageError;
  }
  std::unique_ptr<TProgressLine> progress;
  try {
    if (showProgress)
      progress = std::make_unique<TProgressLine>(err, argv[1], FileSize(argv[1]), TProgressLine::TClock::now());
    CountGrid(argv[1], out, progress.get());
    return kSuccess;
  } catch (...) {
    if (progress) progress->Erase();
    return ReportFailure(err);
  }
}

int TValueCountCommand::ReportFailure(std::ostream& err) {
  try {
    throw;
  } catch (const char* message) {
    Report(err, message);
  } catch (const std::string& message) {
    Report(err, message);
  } catch (const std::bad_alloc&) {
    Report(err, kOutOfMemory);
  } catch (const std::exception& e) {
    Report(err, std::string(e.what()) + " in gridtally");
  } catch (...) {
    Report(err, kUnknownFailure);
  }
  return kFailure;
}
