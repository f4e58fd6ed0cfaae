#pragma once

#include <iosfwd>
#include <map>
#include <vector>

class TMap;
class TPoint;
class TMapPoint;

// Cell value -> number of cells holding it, in ascending order of value.
typedef std::map<double, long> ValueCountTable;

// Operations on maps, as static functions without state. Every map, vector or
// table returned is new and owned by the caller; inputs are only read unless an
// operation says it changes a map in place. Failures are thrown as character
// strings that name the operation.
class TMapTools {
 public:
  // ---- census ----

  // Counts the cells of each distinct value. 0 and -0 are one key, in the form of
  // the first such cell visited column by column (from the west, each column from
  // the north). A NaN cell has no place in the ordering: it is left out, so the
  // counts add up to the number of cells that are not NaN.
  static ValueCountTable CountValues(TMap* map);
  // The number of cells equal (==) to the value; a NaN matches nothing.
  static long CountValues(TMap* map, double value);

  // ---- dumps ----

  // Writes the cell values, one line per row from row 0, each value followed by
  // the separator (the last one of a row too) and each line ended by std::endl.
  // Numbers use the stream's own settings. Reads the cells only, so a map without
  // axes is written as well; throws nothing.
  static void WriteFlatFile(TMap* map, std::ostream& stream, char separator);
  // Writes one line per cell, column by column from column 0 (each column from
  // row 0): the X of the column's centre, ",", the Y of the row's centre, ",",
  // the cell value, std::endl; no header. Numbers use the stream's own settings.
  // Throws "Map has no axes in TMapTools::WriteCSVFile" for a map whose axes were
  // never set, and TMap::GetPoint's range message for centre axes shorter than
  // the map, before writing anything.
  static void WriteCSVFile(TMap* map, std::ostream& stream);

  // ---- arithmetic ----

  // ---- recoding ----

  // ---- resampling ----

  // ---- regions ----

  // ---- stacks ----

  // ---- locations ----
};
