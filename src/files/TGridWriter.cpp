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

template <class Target>
void Header(std::ostream& stream, const TGridHeader& header) {
  stream << "ncols " << header.ncols;
  Target::EndLine(stream);
  stream << "nrows " << header.nrows;
  Target::EndLine(stream);
  stream << "xllcorner ";
  Target::WriteCorner(stream, header.xllcorner);
  Target::EndLine(stream);
  stream << "yllcorner ";
  Target::WriteCorner(stream, header.yllcorner);
  Target::EndLine(stream);
  stream << "cellsize ";
  Target::Write(stream, header.cellsize);
  Target::EndLine(stream);
  stream << "NODATA_value ";
  Target::Write(stream, header.nodata);
  Target::EndLine(stream);
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
