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
  // A map shaped by a centre X axis and a centre Y axis, every cell -9999. Throws
  // "Axes resolutions do not match in TMap::TMap" when the resolutions differ (a
  // NaN differs from everything). The caller keeps both axes.
  TMap(const TAxis* xAxis, const TAxis* yAxis);
  ~TMap();

  TMap(const TMap&) = delete;
  TMap& operator=(const TMap&) = delete;

  // The step the sized constructors share; applied only to a map under construction.
  void Init(double resolution, long xDim, long yDim, double fill);

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
    if (x < 0 || x >= MbrLngXDim) throw "X-ordinate is out of range in TMap::GetPointVal";
    if (y < 0 || y >= MbrLngYDim) throw "Y-ordinate is out of range in TMap::GetPointVal";
    return MbrVecValues[y][x];
  }
  // A new point (caller-owned) at the centres of column x and row y.
  TPoint* GetCoordinates(long x, long y) const;
  // A new TMapPoint (caller-owned) at the cell centre, carrying the cell value.
  TMapPoint* GetPoint(long x, long y) const;
  void InitValues(double value);
  // A copy of row y. Throws "Index is out of bounds in TMap::GetRow".
  std::vector<double> GetRow(long y) const;
  // Appends a copy of the row; the first row appended to a map without columns
  // sets XDim. The axes are not touched.
  void AddRow(const std::vector<double>& row);

  // Cells by map coordinates; these need the axes.
  long GetIndex(double ordinate, char axis) const;
  double GetPointVal(const TPoint* point) const;
  TMapPoint* GetPoint(const TPoint* point) const;
  // Throws "LngX is out of range in TMap::SetPoint (TPoint*)" or
  // "LngY is out of range in TMap::SetPoint (TPoint*)" for a point outside the cells.
  void SetPoint(const TPoint* point, double value);
  std::vector<double> GetPointValues(const std::vector<TPoint*>& points) const;

  // The range messages of the look-ups by point, shared with the tools that
  // repeat such a look-up for many cells at once.
  static constexpr const char* kGetPointValColumnMessage = "LngX is out of range in TMap::GetPointVal";
  static constexpr const char* kGetPointValRowMessage = "LngY is out of range in TMap::GetPointVal";
  static constexpr const char* kGetPointColumnMessage = "LngX is out of range in TMap::GetPoint (TPoint*)";
  static constexpr const char* kGetPointRowMessage = "LngY is out of range in TMap::GetPoint (TPoint*)";

  // Axis setters: each copies its argument and derives the other member of the
  // pair. On a failure the map is unchanged.
  void SetXAxis(const TAxis* axis);
  void SetYAxis(const TAxis* axis);
  void SetXAxisInterval(const TAxis* axis);
  void SetYAxisInterval(const TAxis* axis);

 private:
  // Resolves a point to its column and row through the interval axes.
  void LocatePoint(const TPoint* point, long& x, long& y) const;
};
