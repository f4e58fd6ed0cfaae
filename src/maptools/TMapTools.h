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

  // ---- arithmetic ----

  // ---- recoding ----

  // ---- resampling ----

  // ---- regions ----

  // ---- stacks ----

  // ---- locations ----
};
