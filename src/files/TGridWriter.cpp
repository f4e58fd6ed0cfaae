#include "TGridWriter.h"

#include <iomanip>
#include <ostream>
#include <string_view>

#include "TGridScanner.h"
#include "TMap.h"
#include "TNumberText.h"

namespace {
const int kCornerWidth = 8;

struct TCallerStream {
  static void Write(std::ostream& stream, double value) { stream << value; }
  static void WriteCorner(std::ostream& stream, double value) { stream << std::setw(kCornerWidth) << value; }
  static void EndLine(std::ostream& stream) { stream << std::endl; }
};

struct TOwnFile {
  static void Write(std::ostream& stream, double value) {
    char text[TNumberText::kBufferSize];
    stream.write(text, static_cast<std::streamsize>(TNumberText::FormatRoundTrip(value, text)));
  }
  // Padded as a string is, so the fill character and the alignment are those a
  // number would get.
  static void WriteCorner(std::ostream& stream, double value) {
    char text[TNumberText::kBufferSize];
    stream << std::setw(kCornerWidth) << std::string_view(text, TNumberText::FormatRoundTrip(value, text));
  }
  // A flush per line would cost a system call per row and show nothing to anyone.
  static void EndLine(std::ostream& stream) { stream.put('\n'); }
};

// One header line: the tag (which ends in a blank), the value, the line end.
template <class Target, class Value, class Write>
void HeaderLine(std::ostream& stream, const char* tag, Value value, Write write) {
  stream << tag;
  write(stream, value);
  Target::EndLine(stream);
}

void WriteCount(std::ostream& stream, long count) { stream << count; }

template <class Target>
void Header(std::ostream& stream, const TGridHeader& header) {
  HeaderLine<Target>(stream, "ncols ", header.ncols, WriteCount);
  HeaderLine<Target>(stream, "nrows ", header.nrows, WriteCount);
  HeaderLine<Target>(stream, "xllcorner ", header.xllcorner, Target::WriteCorner);
  HeaderLine<Target>(stream, "yllcorner ", header.yllcorner, Target::WriteCorner);
  HeaderLine<Target>(stream, "cellsize ", header.cellsize, Target::Write);
  HeaderLine<Target>(stream, "NODATA_value ", header.nodata, Target::Write);
}

template <class Target>
void Rows(std::ostream& stream, const TMap& map, char separator) {
  const long rows = map.GetYDim();
  const long columns = map.GetXDim();
  for (long row = 0; row < rows; ++row) {
    const double* cells = map.MbrVecValues[row].data();
    for (long column = 0; column < columns; ++column) {
      Target::Write(stream, cells[column]);
      stream.put(separator);
    }
    Target::EndLine(stream);
  }
}
}  // namespace

void TGridWriter::WriteHeader(std::ostream& stream, const TGridHeader& header, TTarget target) {
  if (target == TTarget::OwnFile)
    Header<TOwnFile>(stream, header);
  else
    Header<TCallerStream>(stream, header);
}

void TGridWriter::WriteRows(std::ostream& stream, const TMap& map, char separator, TTarget target) {
  if (target == TTarget::OwnFile)
    Rows<TOwnFile>(stream, map, separator);
  else
    Rows<TCallerStream>(stream, map, separator);
}
