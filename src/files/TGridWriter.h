#pragma once

#include <iosfwd>

struct TGridHeader;
class TMap;

// The text of the grid writers, written in one place: the six header lines of an
// ASCII grid and the value block (one map row per line). Both come in two number
// styles, so the stream writers and the file writer share every loop.
class TGridWriter {
 public:
  enum class TNumbers {
    // operator<< with whatever precision, notation and fill the stream carries.
    StreamSettings,
    // General notation with the fewest significant digits, six or more, that read
    // back to the same double; the stream's number settings are not consulted.
    RoundTrip,
  };

  // "ncols ", "nrows ", "xllcorner ", "yllcorner ", "cellsize ", "NODATA_value "
  // lines; the two corner values are right-aligned in a field of 8 characters
  // padded with the stream's fill character, and a longer text is written whole.
  static void WriteHeader(std::ostream& stream, const TGridHeader& header, TNumbers numbers);

  // Each row from row 0, each cell followed by the separator (the last one of a
  // row too), each row ended by std::endl. Reads the cells only, so a map
  // without axes is fine.
  static void WriteRows(std::ostream& stream, const TMap& map, char separator, TNumbers numbers);
};
