#pragma once

class TAxis;

// Conversions between an axis of cell centres and an axis of cell edges.
// Both only read their input and return a new axis, owned by the caller, with the
// input's resolution; every point of the result is a new TPoint.
class TAxisTools {
 public:
  // The edge axis of a centre axis: one point more. Only the first point, the last
  // point's Y (for the direction) and the resolution are read, so the result is
  // always regular. A descending Y axis read with 'Y' gives descending edges, and so
  // does a one-point axis read with 'Y' (rows run from north to south). Throws
  // "Index is out of range in TAxis::GetPoint" for an empty axis.
  static TAxis* PointsToIntervals(const TAxis* axis, char which);

  // The centre axis of an edge axis: one point fewer; each centre lies half the
  // spacing east and south of the lower-index edge. The selector has no influence.
  // Throws "Index is out of range in TAxis::GetPoint" for an empty axis.
  static TAxis* IntervalsToPoints(const TAxis* axis, char which);
};
