#pragma once

#include <vector>

class TAxis;
class TPoint;
class TMapPoint;

// A raster grid: MbrLngXDim columns by MbrLngYDim rows of double cells stored by
// row ([row][column]), with a cell size, a no-data value and four owned axes: the
// X and Y centre axes (one point per column, per row) and the X and Y interval
// axes (the cell edges, one point more). Whichever member of a pair is set, the
// other is derived, so the two always agree. Row 0 is the northern row, column 0
// the western one. Every operation that names a cell takes the column first.
//
// The map owns its axes; setters and the axis constructor copy what they are
// given. Points returned by GetCoordinates and GetPoint belong to the caller.
class TMap {
 public:
  double MbrDblResolution;
  long MbrLngXDim;
  long MbrLngYDim;
  std::vector<std::vector<double>> MbrVecValues;
  TAxis* MbrPtrXAxis;
  TAxis* MbrPtrYAxis;
  TAxis* MbrPtrXAxisInterval;
  TAxis* MbrPtrYAxisInterval;
  double MbrDblNoData;

  // An empty map without cells or axes; rows are appended with AddRow.
  explicit TMap(double resolution);
  // xDim columns by yDim rows of -9999, no-data value -9999, no axes.
  // Throws "Dimensions are negative in TMap::TMap" for a negative dimension.
  TMap(double resolution, long xDim, long yDim);
  // A map shaped by a centre X axis and a centre Y axis, every cell -9999, no-data
  // value -9999. Throws "Axes resolutions do not match in TMap::TMap" when the
  // resolutions differ (a NaN differs from everything), and "Index is out of range
  // in TAxis::GetPoint" when an axis is empty. The caller keeps both axes.
  TMap(const TAxis* xAxis, const TAxis* yAxis);
  ~TMap();

  TMap(const TMap&) = delete;
  TMap& operator=(const TMap&) = delete;

  // The step the sized constructors share; applied only to a map under construction.
  void Init(double resolution, long xDim, long yDim, double fill);

  // The cell size, the number of columns and rows, the no-data value, and the axes
  // (still owned by the map; null until set).
  double GetResolution() const { return MbrDblResolution; }
  long GetXDim() const { return MbrLngXDim; }
  long GetYDim() const { return MbrLngYDim; }
  double GetNoData() const { return MbrDblNoData; }
  void SetNoData(double noData) { MbrDblNoData = noData; }
  TAxis* GetXAxis() const { return MbrPtrXAxis; }
  TAxis* GetYAxis() const { return MbrPtrYAxis; }
  TAxis* GetXAxisInterval() const { return MbrPtrXAxisInterval; }
  TAxis* GetYAxisInterval() const { return MbrPtrYAxisInterval; }

  // Cells by index. SetPoint checks nothing: the caller keeps 0 <= x < XDim and
  // 0 <= y < YDim.
  void SetPoint(long x, long y, double value) { MbrVecValues[y][x] = value; }
  // Throws "X-ordinate is out of range in TMap::GetPointVal", then
  // "Y-ordinate is out of range in TMap::GetPointVal".
  double GetPointVal(long x, long y) const {
    if (x < 0 || x >= MbrLngXDim) throw kPointValColumnIndexMessage;
    if (y < 0 || y >= MbrLngYDim) throw kPointValRowIndexMessage;
    return MbrVecValues[y][x];
  }
  // A new point (caller-owned) at the centres of column x and row y, read from
  // the centre axes. Throws "LngX is out of range for the X-axis in
  // TMap::GetCoordinates", then "LngY is out of range for the Y-axis in
  // TMap::GetCoordinates".
  TPoint* GetCoordinates(long x, long y) const;
  // A new TMapPoint (caller-owned) at the cell centre, carrying the cell value.
  // Throws "LngX is out of range in TMap::GetPoint (long,long)", then "LngY is out
  // of range in TMap::GetPoint (long,long)", then what GetCoordinates throws.
  TMapPoint* GetPoint(long x, long y) const;
  // Sets every cell to the value; the no-data value is not touched.
  void InitValues(double value);
  // A copy of row y. Throws "Index is out of bounds in TMap::GetRow".
  std::vector<double> GetRow(long y) const;
  // Appends a copy of the row; the first row appended to a map without columns
  // sets XDim. The axes are not touched.
  void AddRow(const std::vector<double>& row);

  // Cells by map coordinates; these need the axes. A point is placed through the
  // interval axes with TAxis::GetIndex, which throws "Ordinate is out of range in
  // TAxis::GetIndex" for an ordinate outside the map's extent (X checked before Y).
  // An ordinate on the outer edge of greatest coordinate, or a NaN, lies in no cell.

  // The column (selector 'X') or row (any other) whose edges hold the ordinate; the
  // number of columns (rows) for an ordinate in no cell.
  long GetIndex(double ordinate, char axis) const;
  // The value of the cell holding the point. Throws, after the GetIndex messages,
  // "LngX is out of range in TMap::GetPointVal", then "LngY is out of range in
  // TMap::GetPointVal" for a point in no cell.
  double GetPointVal(const TPoint* point) const;
  // A new TMapPoint (caller-owned) at the given point itself, not the cell centre,
  // carrying the value of the cell holding it. Fails as GetPointVal(TPoint*) does,
  // with "LngX is out of range in TMap::GetPoint (TPoint*)" and "LngY is out of
  // range in TMap::GetPoint (TPoint*)".
  TMapPoint* GetPoint(const TPoint* point) const;
  // Sets the cell holding the point. Fails as GetPointVal(TPoint*) does, with
  // "LngX is out of range in TMap::SetPoint (TPoint*)" and "LngY is out of range in
  // TMap::SetPoint (TPoint*)", before writing anything.
  void SetPoint(const TPoint* point, double value);
  // GetPointVal(TPoint*) of each point, in order; the first failure propagates.
  std::vector<double> GetPointValues(const std::vector<TPoint*>& points) const;

  // The range messages of the look-up by indices.
  static constexpr const char* kPointValColumnIndexMessage = "X-ordinate is out of range in TMap::GetPointVal";
  static constexpr const char* kPointValRowIndexMessage = "Y-ordinate is out of range in TMap::GetPointVal";
  // The range messages of the look-ups by point, shared with the tools that
  // repeat such a look-up for many cells at once.
  static constexpr const char* kGetPointValColumnMessage = "LngX is out of range in TMap::GetPointVal";
  static constexpr const char* kGetPointValRowMessage = "LngY is out of range in TMap::GetPointVal";
  static constexpr const char* kGetPointColumnMessage = "LngX is out of range in TMap::GetPoint (TPoint*)";
  static constexpr const char* kGetPointRowMessage = "LngY is out of range in TMap::GetPoint (TPoint*)";
  // What a look-up throws on a map whose axes were never set.
  static constexpr const char* kNoAxesCoordinatesMessage = "Map has no axes in TMap::GetCoordinates";
  static constexpr const char* kNoAxesPointValMessage = "Map has no axes in TMap::GetPointVal";
  static constexpr const char* kNoAxesIndexMessage = "Map has no axes in TMap::GetIndex";

  // Whether all four axes are set; throws `message` when they are not.
  bool HasAxes() const { return MbrPtrXAxis && MbrPtrYAxis && MbrPtrXAxisInterval && MbrPtrYAxisInterval; }
  void RequireAxes(const char* message) const {
    if (!HasAxes()) throw message;
  }

  // Axis setters: each copies its argument (the caller keeps it) and derives the
  // other member of the pair. Throws "Length of new X axis does not match the X
  // dimension of the map" (SetXAxis, likewise for Y) or "Length of new X interval
  // axis does not fit the X dimension of the map" (SetXAxisInterval, likewise for
  // Y), and "Index is out of range in TAxis::GetPoint" for an empty centre axis.
  // On a failure the map is unchanged.
  void SetXAxis(const TAxis* axis);
  void SetYAxis(const TAxis* axis);
  void SetXAxisInterval(const TAxis* axis);
  void SetYAxisInterval(const TAxis* axis);

 private:
  // Resolves a point to its column and row through the interval axes.
  void LocatePoint(const TPoint* point, long& x, long& y, const char* noAxes) const;
};
