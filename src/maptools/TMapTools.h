#pragma once

#include <iosfwd>
#include <map>
#include <vector>

class TMap;
class TPoint;
class TMapPoint;

// Cell value -> number of cells holding it, in ascending order of value.
typedef std::map<double, long> ValueCountTable;

// Cell value -> a new TMapPoint at the centre of the first cell holding it. The
// table does not free its points: whoever holds it deletes each point when done.
typedef std::map<double, TMapPoint*> ValueLocationTable;
// Key of a ValueLocationTable -> the value another map holds at that key's point.
typedef std::map<double, double> FetchedValueTable;
// Zone value -> the values a value map holds in the zone's cells, in scan order.
typedef std::map<double, std::vector<double>> OverlayValueTable;

// Operations on maps, as static functions without state. Every map, vector or
// table returned is new and owned by the caller; inputs are only read unless an
// operation says it changes a map in place. Failures are thrown as character
// strings, quoted below with each operation; unless an operation says otherwise, a
// throwing operation returns nothing, frees what it had built and leaves its inputs
// unchanged.
//
// Maps must have their axes set (every map the reader and these operations return
// has them), except where an operation reads only the cells. A result "on a copy of
// a map's grid" has that map's dimensions, centre axes and the resolution of its X
// centre axis; building it passes on "Axes resolutions do not match in TMap::TMap"
// when the map's two centre axes differ in resolution, and "Index is out of range in
// TAxis::GetPoint" for a map without columns or without rows.
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
  // never set, and "LngX is out of range for the X-axis in TMap::GetCoordinates"
  // (or the LngY one) for centre axes shorter than the map, before writing anything.
  static void WriteCSVFile(TMap* map, std::ostream& stream);

  // ---- arithmetic ----

  // Two maps matched by coordinates. The base is the finer map (the first on a
  // tie); the result lies on the base map's grid with its no-data value, and each
  // cell combines the base cell with the other map's cell that holds its centre:
  // first + second where each holds data for its own map, else the base's no-data
  // value. Caller owns the result. Throws what TMap::GetPointVal(TPoint*) throws
  // for the first base cell (rows from the north, each from the west) whose centre
  // the other map does not cover.
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
  // Divide(Sum(maps), DataCounts(maps)): the mean where every map holds data. A
  // cell where some map lacks data holds -9999 when Sum gives -9999 there; with
  // other no-data values it holds that value divided by the number of maps with
  // data (an infinity where there are none). Caller owns the result. Throws what
  // Sum throws.
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
  // value -9999 and are owned by the caller. No-data cells are compared and recoded
  // like any other.

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
  // q22 at (x2, y2) at (x, y); extrapolates outside the rectangle. Nothing is
  // checked or thrown: x1 == x2 or y1 == y2 gives the IEEE results.
  static double BilinearInterpolate(double q11, double q21, double q12, double q22, double x, double x1, double x2,
                                    double y, double y1, double y2);
  // The same with x1, y1 from p11, x2 from p21, y2 from p12 and the four points'
  // values; stores the result as the target's value (the only change; all five
  // points stay the caller's).
  static void BilinearInterpolate(TMapPoint* p11, TMapPoint* p21, TMapPoint* p12, TMapPoint* p22, TMapPoint* target);
  // The map resampled to the new cell size on the Downscale grid: sample points one
  // input cell inside the edges, one per new cell, interpolated between the four
  // input cell centres around them; cells without a sample point hold the input's
  // no-data value (the result's own no-data value is -9999). Caller owns the result.
  // Throws "New resolution cannot be <= 0.0 in TMapTools::BilinearInterpolate"
  // (a NaN size fails in Downscale), what Downscale throws, what
  // TMap::GetPoint(TPoint*) throws for a sample point in no cell, and "LngGetX1 is
  // out of range in TMapTools::BilinearInterpolate" (likewise LngGetX2, LngGetY1,
  // LngGetY2) for a neighbour outside the input.
  static TMap* BilinearInterpolate(TMap* map, double cellSize);

  // ---- regions ----
  // A block is given as north, south (rows) and west, east (columns), both ends
  // included. By coordinates, a cell holds its edge on the side of the smaller
  // coordinate: an ordinate on the edge between two cells belongs to the cell with
  // the greater coordinates.

  // The smallest block holding every cell equal to `value` (NaN matches nothing);
  // all four are 0 when no cell does, or the map has no cells. Never throws.
  static void FindPatchExtent(TMap* map, double value, long& north, long& south, long& west, long& east);
  // Moves each side of the block outward by `margin` cells, stopping at the map's
  // border; a negative margin moves the sides inward under the same rule. Never
  // throws.
  static void BufferIndices(TMap* map, long margin, long& north, long& south, long& west, long& east);
  // Sets every cell of the block to `value`, in place. Throws, in this order and
  // before writing anything: "Northern edge must be less than southern edge in
  // TMapTools::FillBlock" (north > south), "Western edge must be less than eastern
  // edge in TMapTools::FillBlock" (west > east), "Northern ordinate is out of range
  // in TMapTools::FillBlock", "Southern ordinate is out of range in
  // TMapTools::FillBlock", "Western ordinate is out of range in TMapTools::FillBlock"
  // (west < 0), "Eastern ordinate is out of range in TMapTools::FillBlock"
  // (east >= GetXDim).
  static void FillBlock(TMap* map, double value, long north, long south, long west, long east);
  // A new map (caller-owned) holding the cells that contain the two corner points
  // (given in either order) and every cell between them, with the source's cell
  // coordinates and resolution and the no-data value -9999; values are copied as
  // they are. A point on the map's outer edge of greatest coordinate (the eastern
  // edge; the northern edge of a map read from a file) belongs to the cell on that
  // edge. The points stay the caller's. Throws "Ordinate is out of range in
  // TAxis::GetIndex" for a point outside the map and "Corner ordinate is not a
  // number in TMapTools::Extract" for a NaN ordinate, before building anything.
  static TMap* Extract(TMap* map, TPoint* corner1, TPoint* corner2);
  // Writes every cell of `source` into the destination cell that holds its centre,
  // row by row from the north, in place; with different resolutions the last
  // source cell written into a destination cell wins. Throws "Insert map's NW corner
  // is outside of the destination map in TMapTools::Insert", then "Insert map's SE
  // corner is outside of the destination map in TMapTools::Insert" (corners on the
  // destination's edge are inside), then, for the first source cell whose centre
  // lies in no destination cell, what TMap::SetPoint(TPoint*, double) throws for
  // it. Every check comes before the first write, so a failing call leaves the
  // destination unchanged.
  static void Insert(TMap* destination, TMap* source);
  // Cuts the common part of two maps out of each. The common extent is the
  // rectangle shared by the two maps' extents, whichever way their edges run. Each
  // part holds the cells of its map whose centres lie in the common extent, its
  // edges included: a cell cut by an edge of the common extent belongs to the part
  // when at least half of it lies inside, a cell that only touches it does not. Two
  // maps of one cell size with aligned cells thus give parts of equal shape and
  // equal cell coordinates. Each part is a new map, as Extract builds it, owned by
  // the caller. Throws "Maps do not intersect in TMapTools::Intersection" when the
  // common extent holds no cell centre of one of the maps (extents apart, touching,
  // or overlapping by less than half a cell), before building anything. The first
  // part is stored in `firstPart` as soon as it is built: if building the second
  // part fails, the caller owns the first.
  static void Intersection(TMap* first, TMap* second, TMap*& firstPart, TMap*& secondPart);

  // ---- stacks ----
  // A stack is a vector of maps of one shape; the number of a map is its position.
  // A value is zero when it equals 0.0 (so -0.0 is zero too); a NaN is not zero.

  // The value of cell (x, y) in the maps first..last, both included. Throws "Start
  // map number is out of range in TMapTools::GetValuesVector", "End map number is
  // out of range in TMapTools::GetValuesVector", "Stat map number must be less than
  // end map number" (first >= last), then, map by map, the column and the row
  // messages of TMap::GetPointVal.
  static std::vector<double> GetValuesVector(std::vector<TMap*> stack, long x, long y, int first, int last);
  // In the 3 x 3 block centred on (x, y), clipped at the map's border: the nonzero
  // value of the lowest row in the highest column that holds one; 0.0 when the
  // whole block is zero. A NaN counts as nonzero. Throws "X-ordinate is out of
  // range in TMapTools::FindNonzeroNeighbourVal", then "Y-ordinate is out of range
  // in TMapTools::FindNonzeroNeighbourVal".
  static double FindNonzeroNeighbourVal(TMap* map, long x, long y);
  // One trend map per window start i = 0 .. count - window - 1: each cell holds the
  // least-squares slope of the cell's values in maps i..i + window against the map
  // numbers. A cell that is zero in map i stays -9999; zeros in the series are
  // replaced by FindNonzeroNeighbourVal of their map; values equal to their map's
  // no-data value are left out of the fit, and a cell with fewer than two values
  // left gets NaN. Trend maps have map 0's axes and the no-data value -9999; the
  // caller owns them. Throws, before building anything, "Window size must be <
  // number of maps in TMapTools::ValueGradients" (an empty stack too), "Window size
  // is negative in TMapTools::ValueGradients", "Map dimensions do not match in
  // TMapTools::ValueGradients"; a window of 0 then fails with "Stat map number must
  // be less than end map number" at the first cell that is not zero in its map.
  static std::vector<TMap*> ValueGradients(std::vector<TMap*> stack, int window);

  // ---- locations ----
  // Cells are visited in scan order: columns from the west in the outer loop, rows
  // from the north in the inner one. Values are compared exactly; an excluded value
  // is one TVectorTools::HasValue finds in the exclusion list (never a NaN).

  // Each value of the map that is not excluded, with a new TMapPoint (cell centre
  // and value) for the first cell holding it. A cell equal to the cell visited just
  // before it is passed over; the first cell counts as following a no-data cell, so
  // no-data cells at the very start of the scan are passed over too. A NaN cell
  // never enters the table (it has no place in its order), but it does break a run.
  // The caller owns the table's points and deletes them.
  static ValueLocationTable GetFirstValues(TMap* map, std::vector<double> excluded);
  // GetFirstValues of each map of the stack, in order; the caller owns every point.
  static std::vector<ValueLocationTable> GetFirstValues(std::vector<TMap*> stack, std::vector<double> excluded);
  // For each key of the table, the value of the map's cell that holds the key's
  // point; the points stay the caller's. For the lowest key whose point lies in no
  // cell, throws what TMap::GetPointVal(TPoint*) throws.
  static FetchedValueTable FetchMapValues(TMap* map, std::map<double, TMapPoint*> locations);
  // FetchMapValues of map i with table i, for every map of the stack; tables beyond
  // the number of maps are ignored. Throws "Fewer location tables than maps in
  // TMapTools::FetchMapValues" before reading anything.
  static std::vector<FetchedValueTable> FetchMapValues(std::vector<TMap*> stack,
                                                       std::vector<std::map<double, TMapPoint*>> locations);
  // Zone value -> the value map's values in the cells of that zone, in scan order.
  // Excluded zones are left out, and so are cells whose zone is NaN; no-data values
  // are treated like any other. Throws "Map X-dimensions do not match", then "Map
  // Y-Dimensions do not match".
  static OverlayValueTable GetValuesOverlay(TMap* values, TMap* zones, std::vector<double> excluded);
};
