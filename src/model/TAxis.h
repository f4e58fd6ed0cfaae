#pragma once

#include <vector>

class TPoint;

// An ordered list of owned points with a spacing (the resolution). An axis is
// read through one ordinate of its points, chosen by a selector: 'X' (upper case
// only) selects the X ordinates, any other character the Y ones.
class TAxis {
 public:
  double MbrDblResolution;
  std::vector<TPoint*> MbrVecPoints;

  // An empty axis; points are appended with AddPoint.
  explicit TAxis(double resolution) : MbrDblResolution(resolution) {}
  // An axis of `size` empty slots, filled one by one with SetPoint.
  // Throws "Size is negative in TAxis::TAxis" for a negative size.
  TAxis(double resolution, long size);
  // Deletes every point the axis holds (empty slots are harmless).
  ~TAxis();

  TAxis(const TAxis&) = delete;
  TAxis& operator=(const TAxis&) = delete;

  // The number of points (empty slots included) and the spacing.
  // The ordinate of the point that the selector names: X for 'X', Y for any other.
  static double Ordinate(const TPoint* point, char axis);

  long GetSize() const { return static_cast<long>(MbrVecPoints.size()); }
  double GetResolution() const { return MbrDblResolution; }

  // Appends the point; the axis owns it from here on, also when appending fails.
  void AddPoint(TPoint* point);

  // The stored point itself, not a copy. Throws "Index is out of range in TAxis::GetPoint".
  TPoint* GetPoint(long index) const;

  // Replaces (and deletes) the point at `index`; the axis owns `point`. Throws
  // "Index is out of range in TAxis::SetPoint" before changing anything, and the
  // caller then keeps `point`.
  void SetPoint(long index, TPoint* point);

  // The index of the half-open interval between consecutive points that holds the
  // ordinate, closed at its smaller end; the first matching interval wins. Throws
  // "Ordinate is out of range in TAxis::GetIndex" outside the span of the first and
  // last points. An ordinate inside the span but in no interval (the larger end of
  // the span, a NaN, any ordinate on a one-point axis) gives GetSize() - 1, the
  // number of intervals, which every caller treats as out of its range. Throws
  // "Axis is empty in TAxis::GetIndex" on an axis without points.
  long GetIndex(double ordinate, char axis) const;

  // A new axis (owned by the caller) with copies of the points start to end, both
  // included. Throws "Start index is out of range in TAxis::GetSegment", "End index
  // is out of range in TAxis::GetSegment", "Start index is greater than end index in
  // TAxis::GetSegment", in that order, before building anything.
  TAxis* GetSegment(long start, long end) const;
  // The same with the indices GetIndex gives for the selected ordinates of the
  // points; throws GetIndex's messages first. The points stay the caller's.
  TAxis* GetSegment(const TPoint* from, const TPoint* to, char axis) const;

  // A deep copy, owned by the caller.
  TAxis* Clone() const;
};
