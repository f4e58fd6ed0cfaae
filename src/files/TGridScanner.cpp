#include "TGridScanner.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "TNumberText.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
const char* const kExpectedNcols = "File format error: expected to find ncols tag";
const char* const kExpectedNrows = "File format error: expectd to find nrows tag";
const char* const kExpectedXll = "File format error: expected to find xllcorner tag";
const char* const kExpectedYll = "File format error: expected to find yllcorner tag";
const char* const kExpectedCellsize = "File format error: expected to find cellsize tag";
const char* const kExpectedNodata = "File format error: expected to find NODATA_value tag";
const char* const kUnexpectedEnd = "Unexpected end of file found in TARCGISFileTools::LoadARCGISFile";

// Bytes read at a time when the stream's own buffer cannot be read in place.
const std::size_t kOwnBufferSize = 1 << 16;
// The part of a token shown in a message.
const std::size_t kShownTokenLength = 40;
// The largest window handed to the stream's gbump, which takes an int.
const std::ptrdiff_t kMaxWindow = INT_MAX / 2;

// Reads the get area of any stream buffer in place: the protected members are
// reached through a member pointer taken in a derived class.
struct TBufferAccess : std::streambuf {
  static char* Next(std::streambuf* b) { return (b->*(&TBufferAccess::gptr))(); }
  static char* End(std::streambuf* b) { return (b->*(&TBufferAccess::egptr))(); }
  static void Bump(std::streambuf* b, int n) { (b->*(&TBufferAccess::gbump))(n); }
};

// The text of a formatted message; thrown as a pointer to its characters,
// which stay valid until the next message of this thread.
[[noreturn]] void ThrowMessage(const std::string& text) {
  thread_local std::string message;
  message = text;
  throw static_cast<const char*>(message.c_str());
}

std::string Shown(const char* text, std::size_t length) {
  static const char kHex[] = "0123456789abcdef";
  std::string shown;
  const std::size_t n = std::min(length, kShownTokenLength);
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 0xf];
    }
  }
  if (length > n) shown += "...";
  return shown;
}

std::string Place(long row, long column) {
  return "at row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}
}  // namespace

TGridScanner::TGridScanner(std::istream& in) : MbrIn(in), MbrBuf(in.rdbuf()) {
  if (MbrBuf == nullptr || !in.good()) {
    MbrFailed = true;
    MbrAtEnd = true;
    return;
  }
  const auto here = MbrBuf->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
  if (here != std::streampos(-1)) {
    const auto end = MbrBuf->pubseekoff(0, std::ios_base::end, std::ios_base::in);
    if (end != std::streampos(-1) && MbrBuf->pubseekpos(here, std::ios_base::in) == here && end >= here)
      MbrLngRemaining = static_cast<long long>(end - here);
  }
  MbrCur = TBufferAccess::Next(MbrBuf);
  MbrEnd = TBufferAccess::End(MbrBuf);
  if (MbrEnd - MbrCur > kMaxWindow) MbrEnd = MbrCur + kMaxWindow;
  MbrBytesSeen = static_cast<unsigned long long>(MbrEnd - MbrCur);
}

TGridScanner::~TGridScanner() { Sync(); }

void TGridScanner::Sync() {
  if (MbrUsingOwnBuffer || MbrBuf == nullptr) return;
  const char* next = TBufferAccess::Next(MbrBuf);
  if (MbrCur != nullptr && MbrCur > next) TBufferAccess::Bump(MbrBuf, static_cast<int>(MbrCur - next));
  MbrCur = MbrEnd = TBufferAccess::Next(MbrBuf);
}

bool TGridScanner::Refill() {
  if (MbrAtEnd) return false;
  if (!MbrUsingOwnBuffer) {
    Sync();
    if (MbrBuf->sgetc() == std::char_traits<char>::eof()) {
      MbrAtEnd = true;
      MbrIn.setstate(std::ios_base::eofbit);
      return false;
    }
    MbrCur = TBufferAccess::Next(MbrBuf);
    MbrEnd = TBufferAccess::End(MbrBuf);
    if (MbrEnd - MbrCur > kMaxWindow) MbrEnd = MbrCur + kMaxWindow;
    if (MbrCur < MbrEnd) return NewWindow();
    // A stream without a readable get area: read through a buffer of our own.
    MbrUsingOwnBuffer = true;
    MbrOwnBuffer.reset(new char[kOwnBufferSize]);
  }
  const std::streamsize got = MbrBuf->sgetn(MbrOwnBuffer.get(), kOwnBufferSize);
  if (got <= 0) {
    MbrAtEnd = true;
    MbrIn.setstate(std::ios_base::eofbit);
    return false;
  }
  MbrCur = MbrOwnBuffer.get();
  MbrEnd = MbrCur + got;
  return NewWindow();
}

bool TGridScanner::NewWindow() {
  MbrBytesSeen += static_cast<unsigned long long>(MbrEnd - MbrCur);
  if (MbrOnRead) MbrOnRead(MbrBytesSeen);
  return true;
}

void TGridScanner::TakeLongToken(const char*& text, std::size_t& length, const char* start, long row,
                                 long column) {
  MbrScratch.assign(start, MbrEnd);
  MbrCur = MbrEnd;
  for (;;) {
    if (MbrScratch.size() > kMaxTokenLength) ThrowTooLong(row, column);
    if (!Refill()) break;
    const char* p = MbrCur;
    while (p < MbrEnd && !IsSpace(*p)) ++p;
    MbrScratch.append(MbrCur, p);
    MbrCur = p;
    if (p < MbrEnd) break;
  }
  if (MbrScratch.size() > kMaxTokenLength) ThrowTooLong(row, column);
  text = MbrScratch.data();
  length = MbrScratch.size();
}

namespace {
// Counts the tokens that start in [p, end), sixteen bytes at a time, and moves p
// to where fewer than sixteen are left; `space` tells whether the byte before p
// ends no token, and is kept up to date.
long long CountTokenStarts(const char*& p, const char* end, unsigned& space) {
  long long count = 0;
#if defined(__SSE2__)
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i lastControl = _mm_set1_epi8('\r' - '\t');
  const int kBlock = 16;
  for (; end - p >= kBlock; p += kBlock) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // '\t' to '\r' are the bytes whose distance above '\t' is at most '\r' - '\t'.
    const __m128i above = _mm_sub_epi8(bytes, tab);
    const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(above, lastControl), above);
    const auto spaces = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, blank), control)));
    // A token starts at each byte that is no space and follows one.
    count += __builtin_popcount(~spaces & ((spaces << 1) | space) & 0xffffu);
    space = spaces >> (kBlock - 1);
  }
#else
  (void)p;
  (void)end;
  (void)space;
#endif
  return count;
}
}  // namespace

long long TGridScanner::SkipTokens(long long stop, long long limit) {
  long long count = 0;
  unsigned space = 1;  // whether the byte before the current place ends no token
  for (;;) {
    if (MbrCur == MbrEnd && !Refill()) return count;
    const long long left = stop - Consumed();
    if (left <= 0) break;
    const char* const end = MbrCur + std::min<long long>(left, MbrEnd - MbrCur);
    const char* p = MbrCur;
    count += CountTokenStarts(p, end, space);
    for (; p < end; ++p) {
      const unsigned next = IsSpace(*p);
      count += space & (next ^ 1u);
      space = next;
    }
    MbrCur = end;
    if (count >= limit) return limit;
  }
  if (space == 0) {
    int c;
    while ((c = Peek()) >= 0 && !IsSpace(static_cast<char>(c))) Advance();
  }
  return count;
}

void TGridScanner::ThrowUnexpectedEnd() { throw kUnexpectedEnd; }

void TGridScanner::ThrowTooLong(long row, long column) {
  ThrowMessage("File format error: cell value " + Place(row, column) + " is longer than " +
               std::to_string(kMaxTokenLength) + " characters");
}

double TGridScanner::ParseCell(const char* text, std::size_t length, long row, long column) {
  double value;
  if (!TNumberText::ParseDecimal(text, length, value))
    ThrowMessage("File format error: cell value \"" + Shown(text, length) + "\" " + Place(row, column) +
                 " is not a number");
  return value;
}

int TGridScanner::Peek() {
  if (MbrCur == MbrEnd && !Refill()) return -1;
  return static_cast<unsigned char>(*MbrCur);
}

void TGridScanner::Advance() { ++MbrCur; }

// Reads a white-space-delimited word; an over-long word is left unread beyond
// the limit, since it cannot match any key. Returns false when the read fails.
bool TGridScanner::ReadWord(std::string& word) {
  word.clear();
  if (MbrFailed) return false;
  SkipSpace();
  int c;
  while ((c = Peek()) >= 0 && !IsSpace(static_cast<char>(c))) {
    if (word.size() == kMaxTokenLength) return true;
    word += static_cast<char>(c);
    Advance();
  }
  if (word.empty()) MbrFailed = true;
  return !MbrFailed;
}

// The integer extraction: an optional sign and decimal digits, stopping at the
// first other character; no digits, or a value outside 32 bits, fails.
void TGridScanner::ReadInteger(long& value) {
  if (MbrFailed) return;
  SkipSpace();
  std::string text;
  int c = Peek();
  if (c == '+' || c == '-') {
    text += static_cast<char>(c);
    Advance();
  }
  std::size_t digits = 0;
  while ((c = Peek()) >= '0' && c <= '9' && text.size() <= kMaxTokenLength) {
    text += static_cast<char>(c);
    Advance();
    ++digits;
  }
  if (digits == 0 || text.size() > kMaxTokenLength) {
    MbrFailed = true;
    return;
  }
  errno = 0;
  const long long parsed = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX) {
    MbrFailed = true;
    return;
  }
  value = static_cast<long>(parsed);
}

// The floating-point extraction: it gathers a sign, digits, one decimal point
// and, after a digit, one exponent with its sign and digits; what it gathered
// must then read wholly as a number, and an overflow fails.
void TGridScanner::ReadReal(double& value) {
  if (MbrFailed) return;
  SkipSpace();
  std::string text;
  bool mantissaDigits = false;
  bool point = false;
  bool exponent = false;
  int c = Peek();
  if (c == '+' || c == '-') {
    text += static_cast<char>(c);
    Advance();
  }
  while ((c = Peek()) >= 0 && text.size() <= kMaxTokenLength) {
    if (c >= '0' && c <= '9') {
      mantissaDigits = mantissaDigits || !exponent;
    } else if (c == '.' && !point && !exponent) {
      point = true;
    } else if ((c == 'e' || c == 'E') && mantissaDigits && !exponent) {
      exponent = true;
      text += static_cast<char>(c);
      Advance();
      c = Peek();
      if (c != '+' && c != '-') continue;
    } else {
      break;
    }
    text += static_cast<char>(c);
    Advance();
  }
  if (text.size() > kMaxTokenLength || !TNumberText::ParseDecimal(text.data(), text.size(), value))
    MbrFailed = true;
}

TGridHeader TGridScanner::ReadHeader() {
  TGridHeader header;
  std::string key;
  ReadWord(key);
  ReadInteger(header.ncols);
  if (key != "ncols") throw kExpectedNcols;
  ReadWord(key);
  ReadInteger(header.nrows);
  if (key != "nrows") throw kExpectedNrows;
  ReadWord(key);
  ReadReal(header.xllcorner);
  if (key != "xllcorner") throw kExpectedXll;
  ReadWord(key);
  ReadReal(header.yllcorner);
  if (key != "yllcorner") throw kExpectedYll;
  ReadWord(key);
  ReadReal(header.cellsize);
  if (key != "cellsize") throw kExpectedCellsize;
  ReadWord(key);
  if (key != "NODATA_value" && key != "nodata_value") throw kExpectedNodata;
  ReadReal(header.nodata);
  if (MbrFailed) ThrowMessage("File format error: expected a number after the " + key + " tag");

  if (header.ncols < 0) ThrowMessage("File format error: ncols is negative (" + std::to_string(header.ncols) + ")");
  if (header.nrows < 0) ThrowMessage("File format error: nrows is negative (" + std::to_string(header.nrows) + ")");
  if (header.Cells() == 0) {
    if (header.ncols > kMaxEmptyGridExtent)
      ThrowMessage("File format error: ncols " + std::to_string(header.ncols) +
                   " is too large for a grid without cells (at most " + std::to_string(kMaxEmptyGridExtent) + ")");
    if (header.nrows > kMaxEmptyGridExtent)
      ThrowMessage("File format error: nrows " + std::to_string(header.nrows) +
                   " is too large for a grid without cells (at most " + std::to_string(kMaxEmptyGridExtent) + ")");
  }
  return header;
}
