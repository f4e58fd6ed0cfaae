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
// A message that quotes what was found is built per failure and stays valid until
// the next such failure in the same thread: copy it before reading again.
class TARCGISFileTools {
 public:
  // Reads one grid from the stream, starting at its current position, and leaves
  // the stream just after the last cell value. The caller owns the map: it has the
  // file's cell size and no-data value, row 0 the northern row, and axes laid out
  // from the lower-left corner. A header key out of place throws "File format
  // error: expected to find ncols tag" (likewise for each key; the second reads
  // "expectd to find nrows tag"); a stream that ends before the last cell throws
  // "Unexpected end of file found in TARCGISFileTools::LoadARCGISFile". A missing
  // no-data number, a cell token that is not wholly one decimal number or is
  // longer than 1024 characters, a negative ncols or nrows, and a grid without
  // cells wider or taller than 65536 are refused with "File format error: ..."
  // messages that say what was found and where. Memory grows with the values
  // actually read, never with what the header merely declares.
  static TMap* LoadARCGISFile(std::istream& stream);

  // Opens the named file (a directory counts as a file that cannot be opened),
  // reads it with the stream form and closes it again. The caller owns the map.
  static TMap* LoadARCGISFile(std::string fileName);

  // Loads each file in order with the file form; on any failure the maps already
  // loaded are deleted and the exception propagates. The caller owns the vector's
  // maps.
  static std::vector<TMap*> LoadFileList(std::vector<std::string> fileNames);

  // Writes the map as an ASCII grid: the six header lines, then one line per row,
  // from row 0, with a blank after every value. Numbers are written with the
  // stream's own settings (a fresh stream gives 6 significant digits); the corner
  // is the western edge of the X interval axis and the southern edge of the Y
  // interval axis. Throws "Map has no axes in TARCGISFileTools::WriteARCGISFile"
  // for a map whose axes were never set, and "Index is out of range in
  // TAxis::GetPoint" for an interval axis shorter than the map, before writing
  // anything. Flushes only at its line ends and leaves the stream's state alone.
  static void WriteARCGISFile(TMap* map, std::ostream& stream);

  // Writes the map to the named file, truncating it, in the same layout but with
  // every number in the fewest significant digits, six or more, that read back to
  // the same double: a map read by LoadARCGISFile comes back bit for bit, as long
  // as its numbers are finite (the reader refuses the "nan" and "inf" written for
  // the others). The map is checked as above before the file is opened; a file
  // that cannot be opened throws the std::string "Unable to open file " + name,
  // and a failed write or close (a full disk) "Unable to write file " + name.
  static void WriteARCGISFile(TMap* map, std::string fileName);

  // Writes map i to file name i with the file form, in order. Throws "Size of map
  // list and filename list do not match in TARCGISFileTools::WriteFileList", and
  // "Map has no axes in TARCGISFileTools::WriteFileList" (or the axis range
  // message) for any map of the list, before writing any file. A file that cannot
  // be opened or written stops the list with the file form's std::string; the
  // files before it stay written.
  static void WriteFileList(std::vector<TMap*> maps, std::vector<std::string> fileNames);
};
