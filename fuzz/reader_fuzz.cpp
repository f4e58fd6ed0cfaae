// Fuzzes TARCGISFileTools::LoadARCGISFile(std::istream&).
//
// Each input is read three ways: from a string stream (seekable, one buffer), from
// a stream buffer that hands out a few bytes at a time and cannot seek (tokens
// straddle refills, the size is unknown), and from a stream buffer without a get
// area (the reader copies through a buffer of its own, with short reads). The
// three outcomes must be the same, the first two must leave the stream at the same
// place, and every outcome is checked against the plain-token reading of the
// input (GridOracle). Sanitizers catch memory faults and leaks; the fuzzer's
// -rss_limit_mb, -malloc_limit_mb and -timeout catch blow-ups and hangs.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>

#include "GridOracle.h"

namespace {
const std::size_t kChunkSizes = 11;
const long kMaxRereadEmptyExtent = 4096;

class TChunkedBuffer : public std::streambuf {
 public:
  TChunkedBuffer(std::string& bytes, std::size_t chunk)
      : MbrBegin(bytes.data()), MbrEnd(bytes.data() + bytes.size()), MbrChunk(chunk) {}

  long long Position() const { return gptr() == nullptr ? 0 : gptr() - MbrBegin; }

 protected:
  int_type underflow() override {
    if (gptr() != nullptr && gptr() < egptr()) return traits_type::to_int_type(*gptr());
    char* next = egptr() != nullptr ? egptr() : MbrBegin;
    if (next == MbrEnd) return traits_type::eof();
    setg(next, next, next + std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(MbrChunk), MbrEnd - next));
    return traits_type::to_int_type(*gptr());
  }

 private:
  char* MbrBegin;
  char* MbrEnd;
  std::size_t MbrChunk;
};

class TUnbufferedBuffer : public std::streambuf {
 public:
  TUnbufferedBuffer(const std::string& bytes, std::size_t chunk) : MbrBytes(bytes), MbrChunk(chunk) {}

 protected:
  int_type underflow() override {
    return MbrNext < MbrBytes.size() ? traits_type::to_int_type(MbrBytes[MbrNext]) : traits_type::eof();
  }
  int_type uflow() override {
    return MbrNext < MbrBytes.size() ? traits_type::to_int_type(MbrBytes[MbrNext++]) : traits_type::eof();
  }
  // Short reads: at most one chunk at a time.
  std::streamsize xsgetn(char* out, std::streamsize n) override {
    const std::size_t got = std::min({static_cast<std::size_t>(n), MbrChunk, MbrBytes.size() - MbrNext});
    MbrBytes.copy(out, got, MbrNext);
    MbrNext += got;
    return static_cast<std::streamsize>(got);
  }

 private:
  const std::string& MbrBytes;
  std::size_t MbrChunk;
  std::size_t MbrNext = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  const TGridVerdict verdict = JudgeGrid(bytes);
  const std::size_t chunk = 1 + size % kChunkSizes;

  std::istringstream whole(bytes);
  const TLoadOutcome first = LoadAndCheck(whole, verdict);
  const long long wholePosition = whole.rdbuf()->pubseekoff(0, std::ios_base::cur, std::ios_base::in);

  // A grid without cells but with up to 2^16 columns or rows gets an axis point per
  // column or row: a quarter of a million small blocks a load under AddressSanitizer, which three
  // loads bring near the time limit on a busy machine. Such a header has been read
  // once already; the other readings are about tokens across buffer refills.
  if (first.map != nullptr && (first.map->MbrLngXDim == 0 || first.map->MbrLngYDim == 0) &&
      std::max(first.map->MbrLngXDim, first.map->MbrLngYDim) > kMaxRereadEmptyExtent)
    return 0;

  std::string copy = bytes;
  TChunkedBuffer chunkedBuffer(copy, chunk);
  std::istream chunked(&chunkedBuffer);
  const TLoadOutcome second = LoadAndCheck(chunked, verdict);
  FUZZ_CHECK(second.text == first.text, "a chunked stream reads differently:\n" + first.text + "\n" + second.text);

  TUnbufferedBuffer unbufferedBuffer(bytes, chunk);
  std::istream unbuffered(&unbufferedBuffer);
  const TLoadOutcome third = LoadAndCheck(unbuffered, verdict);
  FUZZ_CHECK(third.text == first.text, "an unbuffered stream reads differently:\n" + first.text + "\n" + third.text);

  if (first.map != nullptr) {
    FUZZ_CHECK(chunkedBuffer.Position() == wholePosition, "the streams are left at different places");
    // A grid with cells leaves the stream just after its last token.
    if (first.map->MbrLngXDim > 0 && first.map->MbrLngYDim > 0) {
      const std::size_t p = static_cast<std::size_t>(wholePosition);
      FUZZ_CHECK(p > 0 && p <= size && !IsGridSpace(bytes[p - 1]) && (p == size || IsGridSpace(bytes[p])),
                 "the stream is not left just after the last cell");
    }
  }
  return 0;
}
