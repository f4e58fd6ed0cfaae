#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <memory>
#include <string>

// The six values of an ASCII grid header.
struct TGridHeader {
  long ncols = 0;
  long nrows = 0;
  double xllcorner = 0;
  double yllcorner = 0;
  double cellsize = 0;
  double nodata = 0;

  long long Cells() const { return static_cast<long long>(ncols) * nrows; }
};

// Reads an ASCII grid from a stream: the header with the number rules of the
// stream extraction operators (a failed read makes every later read fail, so a
// malformed value shows up as the next key's mismatch), then the cell values as
// tokens separated by white space. Tokens are handed out as views into the
// stream's own buffer, so the cells are never copied on the way.
//
// The stream is left just after the last token read.
class TGridScanner {
 public:
  // The longest key or number accepted; anything longer is refused at once.
  static constexpr std::size_t kMaxTokenLength = 1024;
  // A grid without cells still gets axes with a point per column and row; this
  // bounds what such a header can make the reader build.
  static constexpr long kMaxEmptyGridExtent = 1L << 16;
  // A stop beyond any input, for ReadCellRange.
  static constexpr long long kNoStop = ~0ULL >> 1;

  explicit TGridScanner(std::istream& in);
  ~TGridScanner();

  TGridScanner(const TGridScanner&) = delete;
  TGridScanner& operator=(const TGridScanner&) = delete;

  // Reads and checks the six header pairs; throws the reader's format messages.
  TGridHeader ReadHeader();

  // Calls sink(text, length, row, column) for each of the nrows x ncols cell
  // tokens in file order. Throws "Unexpected end of file found in
  // TARCGISFileTools::LoadARCGISFile" when the input ends early, and a format
  // message for a token longer than kMaxTokenLength.
  template <class Sink>
  void ReadCells(long ncols, long nrows, Sink&& sink) {
    ReadCellRange(ncols, 0, static_cast<long long>(ncols) * nrows, kNoStop, sink);
  }

  // Reads cells [first, last) of a grid of `ncols` columns, cell i standing at row
  // i / ncols and column i % ncols, as ReadCells does, but stops before a token
  // that starts `stop` or more bytes into the input (Consumed). Returns the index
  // of the first cell not read.
  template <class Sink>
  long long ReadCellRange(long ncols, long long first, long long last, long long stop, Sink&& sink);

  // Counts the tokens that start less than `stop` bytes into the input and moves
  // past them, up to the first token at `stop` or beyond (the rest of a token that
  // crosses `stop` is passed over). Tokens are only counted, not checked. Returns
  // at once when `limit` tokens are counted, with the scanner at no defined place.
  long long SkipTokens(long long stop, long long limit);

  // The bytes of the input taken in since the scanner was made.
  long long Consumed() const {
    return static_cast<long long>(MbrBytesSeen) - static_cast<long long>(MbrEnd - MbrCur);
  }

  // Parses a cell token or throws a format message naming it and its place
  // (row and column counted from 1).
  static double ParseCell(const char* text, std::size_t length, long row, long column);

  // Calls onRead(bytes) each time the scanner takes in more of the input, with
  // the number of bytes taken in so far.
  void OnRead(std::function<void(unsigned long long)> onRead) { MbrOnRead = std::move(onRead); }

  // The bytes left in the input when the scanner was made, or -1 when unknown.
  long long RemainingBytes() const { return MbrLngRemaining; }

 private:
  static bool IsSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f';
  }

  // Moves to the next token; false at the end of the input.
  bool SkipSpace();
  // Takes the token that starts at the current place.
  void TakeToken(const char*& text, std::size_t& length, long row, long column);
  // Takes a token that runs to the end of the window, gathering it across refills.
  void TakeLongToken(const char*& text, std::size_t& length, const char* start, long row, long column);
  bool Refill();
  bool NewWindow();
  void Sync();
  [[noreturn]] static void ThrowUnexpectedEnd();
  [[noreturn]] static void ThrowTooLong(long row, long column);

  // Header reading, one character at a time.
  int Peek();
  void Advance();
  bool ReadWord(std::string& word);
  void ReadInteger(long& value);
  void ReadReal(double& value);

  std::istream& MbrIn;
  std::streambuf* MbrBuf;
  const char* MbrCur = nullptr;
  const char* MbrEnd = nullptr;
  // Set when the get area of the stream cannot be read in place; bytes then go
  // through this buffer and the stream's position is not kept exactly.
  std::unique_ptr<char[]> MbrOwnBuffer;
  bool MbrUsingOwnBuffer = false;
  bool MbrFailed = false;
  bool MbrAtEnd = false;
  long long MbrLngRemaining = -1;
  std::string MbrScratch;
  unsigned long long MbrBytesSeen = 0;
  std::function<void(unsigned long long)> MbrOnRead;
};

template <class Sink>
long long TGridScanner::ReadCellRange(long ncols, long long first, long long last, long long stop, Sink&& sink) {
  if (first >= last) return first;
  long row = static_cast<long>(first / ncols);
  long column = static_cast<long>(first % ncols);
  for (long long cell = first; cell < last; ++cell) {
    if (!SkipSpace()) ThrowUnexpectedEnd();
    if (Consumed() >= stop) return cell;
    const char* text;
    std::size_t length;
    TakeToken(text, length, row, column);
    sink(text, length, row, column);
    if (++column == ncols) {
      column = 0;
      ++row;
    }
  }
  return last;
}

inline bool TGridScanner::SkipSpace() {
  const char* p = MbrCur;
  for (;;) {
    while (p < MbrEnd && IsSpace(*p)) ++p;
    MbrCur = p;
    if (p < MbrEnd) return true;
    if (!Refill()) return false;
    p = MbrCur;
  }
}

inline void TGridScanner::TakeToken(const char*& text, std::size_t& length, long row, long column) {
  const char* const start = MbrCur;
  const char* p = start;
  const char* const end = MbrEnd;
  while (p < end && !IsSpace(*p)) ++p;
  if (p == end) return TakeLongToken(text, length, start, row, column);
  length = static_cast<std::size_t>(p - start);
  if (length > kMaxTokenLength) ThrowTooLong(row, column);
  text = start;
  MbrCur = p;
}
