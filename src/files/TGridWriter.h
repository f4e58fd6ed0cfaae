#pragma once

#include <iosfwd>

struct TGridHeader;
class TMap;

// The text of the grid writers, written in one place: the six header lines of an
// ASCII grid and the value block (one map row per line). Both serve two targets,
// so the stream writers and the file writer share every loop.
class TGridWriter {
 public:
  enum class TTarget {
    // The caller's stream: numbers through operator<< with whatever precision,
    // notation and fill it carries, and std::endl (newline and flush) at every
    // line end.
    CallerStream,
    // A file the writer opened itself: every number in general notation with the
    // fewest significant digits, six or more, that read back to the same double,
    // whatever the stream's settings; lines end with a plain newline, since
    // nobody sees the file before it is flushed and closed.
    OwnFile,
  };

  // "ncols ", "nrows ", "xllcorner ", "yllcorner ", "cellsize ", "NODATA_value "
  // lines; the two corner values are right-aligned in a field of 8 characters
  // padded with the stream's fill character, and a longer text is written whole.
  static void WriteHeader(std::ostream& stream, const TGridHeader& header, TTarget target);

  // Each row from row 0, each cell followed by the separator (the last one of a
  // row too). Reads the cells only, so a map without axes is fine.
  static void WriteRows(std::ostream& stream, const TMap& map, char separator, TTarget target);
};
