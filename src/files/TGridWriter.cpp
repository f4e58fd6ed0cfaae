#include "TGridWriter.h"

#include <iomanip>
#include <ostream>
#include <string_view>

#include "TGridScanner.h"
#include "TMap.h"
#include "TNumberText.h"

namespace {
const int kCornerWidth = 8;

struct TStreamNumbers {
  static void Write(std::ostream& stream, double value) { stream << value; }
  static void WriteCorner(std::ostream& stream, double value) { stream << std::setw(kCornerWidth) << value; }
};

struct TRoundTripNumbers {
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
};

template <class Numbers>
void Header(std::ostream& stream, const TGridHeader& header) {
  stream << "ncols " << header.ncols << std::endl;
  stream << "nrows " << header.nrows << std::endl;
  stream << "xllcorner ";
  Numbers::WriteCorner(stream, header.xllcorner);
  stream << std::endl << "yllcorner ";
  Numbers::WriteCorner(stream, header.yllcorner);
  stream << std::endl << "cellsize ";
  Numbers::Write(stream, header.cellsize);
  stream << std::endl << "NODATA_value ";
  Numbers::Write(stream, header.nodata);
  stream << std::endl;
}

template <class Numbers>
void Rows(std::ostream& stream, const TMap& map, char separator) {
  const long rows = map.GetYDim();
  const long columns = map.GetXDim();
  for (long row = 0; row < rows; ++row) {
    const double* cells = map.MbrVecValues[row].data();
    for (long column = 0; column < columns; ++column) {
      Numbers::Write(stream, cells[column]);
      stream.put(separator);
    }
    stream << std::endl;
  }
}
}  // namespace

void TGridWriter::WriteHeader(std::ostream& stream, const TGridHeader& header, TNumbers numbers) {
  if (numbers == TNumbers::RoundTrip)
    Header<TRoundTripNumbers>(stream, header);
  else
    Header<TStreamNumbers>(stream, header);
}

void TGridWriter::WriteRows(std::ostream& stream, const TMap& map, char separator, TNumbers numbers) {
  if (numbers == TNumbers::RoundTrip)
    Rows<TRoundTripNumbers>(stream, map, separator);
  else
    Rows<TStreamNumbers>(stream, map, separator);
}
