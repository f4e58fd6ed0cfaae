#include "TValueCountCommand.h"

#include <sys/stat.h>

#include <charconv>
#include <memory>
#include <exception>
#include <new>
#include <ostream>
#include <string>

#include "TGridFileCensus.h"
#include "TNumberText.h"
#include "TProgressLine.h"

namespace {
const char* const kUsage = "Usage: gridtally ASCFile";
const char* const kOutOfMemory = "Out of memory in gridtally";
const char* const kWriteFailed = "Unable to write the results to standard output";
const char* const kUnknownFailure = "Unknown failure in gridtally";
const int kValuePrecision = 6;
const std::size_t kOutputChunk = 1 << 16;

// Writes result lines through a buffer of its own; a failed write is reported
// once the results are complete.
class TResultWriter {
 public:
  explicit TResultWriter(std::ostream& out) : MbrOut(out) {
    MbrText.reserve(kOutputChunk + 2 * TNumberText::kBufferSize);
  }

  void Line(double value, long count) {
    char number[TNumberText::kBufferSize];
    MbrText.append(number, TNumberText::FormatGeneral(value, kValuePrecision, number));
    MbrText += ' ';
    const auto end = std::to_chars(number, number + sizeof number, count).ptr;
    MbrText.append(number, end);
    MbrText += '\n';
    if (MbrText.size() >= kOutputChunk) Flush();
  }

  void Finish() {
    Flush();
    MbrOut.flush();
    if (!MbrOut) throw kWriteFailed;
  }

 private:
  void Flush() {
    MbrOut.write(MbrText.data(), static_cast<std::streamsize>(MbrText.size()));
    MbrText.clear();
  }

  std::ostream& MbrOut;
  std::string MbrText;
};

void CountGrid(const char* fileName, std::ostream& out, TProgressLine* progress) {
  TGridFileCensus values(fileName, progress);
  if (progress != nullptr) progress->Erase();
  TResultWriter writer(out);
  values.ForEachAscending([&writer](double value, long count) { writer.Line(value, count); });
  writer.Finish();
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
