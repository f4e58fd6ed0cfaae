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

  // Two maps matched by coordinates. The base is the finer map (the first on a
  // tie); the result lies on the base map's grid with its no-data value, and each
  // cell combines the base cell with the other map's cell that holds its centre:
  // first + second where both hold data, else the base's no-data value. Caller owns
  // the result. Throws what TMap::GetPointVal(TPoint*) throws for the first base
  // cell (rows from the north, each from the west) whose centre the other map does
  // not cover.
  static TMap* Add(TMap* first, TMap* second);
  // The same with first x second.
  static TMap* Multiply(TMap* first, TMap* second);
  // The same with dividend / divisor on the dividend's grid, the dividend always
  // being the base. Throws "Divisor must be of equal of coarser resolution than the
  // dividend in TMapTools::Divide" first if the dividend is the coarser map.
  static TMap* Divide(TMap* dividend, TMap* divisor);
  // Cell by cell by index on a copy of the minuend's grid with its no-data value:
  // minuend - subtrahend where both hold data, else the minuend's no-data value.
  // Caller owns the result. Throws "X dimensions do not match in
  // TMapTools::Subtract", then "Y dimensions do not match in TMapTools::Subtract".
  static TMap* Subtract(TMap* minuend, TMap* subtrahend);
  // factor x each cell on a copy of the map's grid; cells equal to -9999 (the
  // result's no-data value, not the map's) stay -9999. Caller owns the result.
  static TMap* Multiply(TMap* map, double factor);
  // Each cell / divisor on a copy of the map's grid; cells equal to the map's
  // no-data value keep it, while the result's no-data value is -9999. Caller owns
  // the result.
  static TMap* Divide(TMap* map, double divisor);
  // The cell-wise sum of a stack on a copy of the first map's grid (no-data value
  // -9999); a cell where some map lacks data takes the no-data value of the first
  // such map. Caller owns the result. Throws "Must have more than 2 maps to sum in
  // TMapTools::Sum" for fewer than two maps, then "X-dimension of maps are
  // inconsistent in TMapTools::Sum" / "Y-dimension of maps are inconsistent in
  // TMapTools::Sum" for the first map of another shape.
  static TMap* Sum(std::vector<TMap*> maps);
  // The number of maps holding data at each cell, on a copy of the first map's grid
  // (no-data value -9999). Caller owns the result. Throws "Map stack is empty in
  // TMapTools::DataCounts", then the dimension messages of Sum naming DataCounts.
  static TMap* DataCounts(std::vector<TMap*> maps);
  // Divide(Sum(maps), DataCounts(maps)). Caller owns the result. Throws what Sum
  // throws.
  static TMap* Average(std::vector<TMap*> maps);
  // The Average of every run of `window` consecutive maps, in order: size - window
  // + 1 maps, none when the window is larger than the stack. Caller owns the vector's
  // maps. Throws what Average throws (a window below 2 fails as Sum does), and then
  // releases the averages already made.
  static std::vector<TMap*> MovingAverage(std::vector<TMap*> maps, int window);
  // Each cell rounded half up if positive, truncated toward zero if negative, on a
  // copy of the map's grid (no-data value -9999); NaN and infinities stay. Caller
  // owns the result.
  static TMap* RoundContents(TMap* map);

  // ---- recoding ----

  // The results of this section lie on a copy of an input's grid with the no-data
  // value -9999, are owned by the caller, and pass on "Axes resolutions do not match
  // in TMap::TMap". No-data cells are compared and recoded like any other.

  // Cells at or above the threshold keep their value; the others (NaN too) become 0.
  static TMap* Threshold(TMap* map, double threshold);
  // Threshold of each map of the stack, element i for map i.
  static std::vector<TMap*> Threshold(std::vector<TMap*> maps, double threshold);
  // Cells below the threshold (and NaN) keep their value; the others become
  // `replacement`.
  static TMap* ThresholdReplace(TMap* map, double threshold, double replacement);
  // The value map's cells on the grid map's grid, cells equal to `toReplace`
  // becoming `replacement`. Throws "X dimensions do not match in TMapTools::Mask",
  // then "Y dimensions do not match in TMapTools::Mask".
  static TMap* Mask(TMap* gridMap, TMap* valueMap, double toReplace, double replacement);
  // Each cell recoded through the table; a cell whose value is no key (a NaN cell
  // among them) becomes `otherwise`.
  static TMap* ReplaceValue(TMap* map, std::map<double, double> table, double otherwise);

  // ---- resampling ----

  // The grid of the map's area at the new cell size: as many whole cells as fit
  // from the western edge and the first row edge, every cell -9999, no-data value
  // -9999. Caller owns the result. Throws "New cell size is not positive in
  // TMapTools::Downscale" for zero, negative or NaN, "Cell count is out of range in
  // TMapTools::Downscale" for a count beyond a long, and "Index is out of range in
  // TAxis::GetPoint" when no whole cell fits in one direction.
  static TMap* Downscale(TMap* map, double cellSize);
  // Every cell split into factor x factor cells of its value over the same area;
  // no-data value -9999. Caller owns the result. Throws "Factor is below 1 in
  // TMapTools::Subdivide".
  static TMap* Subdivide(TMap* map, int factor);
  // Bilinear interpolation of q11 at (x1, y1), q21 at (x2, y1), q12 at (x1, y2) and
  // q22 at (x2, y2) at (x, y); extrapolates outside the rectangle, nothing tested.
  static double BilinearInterpolate(double q11, double q21, double q12, double q22, double x, double x1, double x2,
                                    double y, double y1, double y2);
  // The same with x1, y1 from p11, x2 from p21, y2 from p12 and the four points'
  // values; stores the result as the target's value.
  static void BilinearInterpolate(TMapPoint* p11, TMapPoint* p21, TMapPoint* p12, TMapPoint* p22, TMapPoint* target);
  // The map resampled to the new cell size on the Downscale grid: sample points one
  // input cell inside the edges, one per new cell, interpolated between the four
  // input cell centres around them; cells without a sample point hold the input's
  // no-data value (the result's own no-data value is -9999). Caller owns the result.
  // Throws "New resolution cannot be <= 0.0 in TMapTools::BilinearInterpolate",
  // what Downscale throws, the look-up failures of TMap::GetPoint(TPoint*), and "LngGetX1 / LngGetX2 / LngGetY1
  // / LngGetY2 is out of range in TMapTools::BilinearInterpolate" for a neighbour
  // outside the input.
  static TMap* BilinearInterpolate(TMap* map, double cellSize);

  // ---- regions ----

  // ---- stacks ----

  // ---- locations ----
};
