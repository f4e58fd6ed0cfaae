#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class TMap;

// Reading and writing ESRI ASCII grid files.
//
// Format failures are thrown as character strings ("File format error: ...",
// "Unexpected end of file found in TARCGISFileTools::LoadARCGISFile"); a file that
// cannot be opened is thrown as the std::string "Unable to open file " + name.
class TARCGISFileTools {
 public:
  // Reads one grid from the stream, starting at its current position, and leaves
  // the stream just after the last cell value. The caller owns the map. Besides
  // the header messages, a cell token that is not wholly one decimal number, a
  // negative ncols or nrows, and a grid without cells wider or taller than
  // TGridScanner::kMaxEmptyGridExtent are refused with "File format error: ..."
  // messages that say what was found and where. Memory grows with the values
  // actually read, never with what the header merely declares.
  static TMap* LoadARCGISFile(std::istream& stream);

  // Opens the named file (a directory counts as a file that cannot be opened),
  // reads it with the stream form and closes it again.
  static TMap* LoadARCGISFile(std::string fileName);

  // Loads each file in order; on any failure the maps already loaded are
  // deleted and the exception propagates. The caller owns the vector's maps.
  static std::vector<TMap*> LoadFileList(std::vector<std::string> fileNames);
};
