#pragma once

#include <vector>

class TPoint;

// Plane geometry on points, as static functions without state. Points are only
// read; every point returned is new and owned by the caller. Nothing is thrown:
// degenerate input gives the IEEE results (a centroid of nothing is NaN, a
// degenerate triangle 0 or NaN).
//
// Angles are pseudo-angles in degrees: they equal the true angle at multiples of
// 45 degrees and keep its order in between, without trigonometric functions.
class TPointTools {
 public:
  // The smaller X and the smaller Y of the two points. Each ordinate is taken from
  // b only when a's is greater, so a tie or a NaN keeps a's.
  static TPoint* Min(TPoint* a, TPoint* b);
  // The larger X and the larger Y; each ordinate from b only when b's is greater.
  static TPoint* Max(TPoint* a, TPoint* b);

  // The mean X and the mean Y of the points.
  static TPoint* FindCentroid(std::vector<TPoint*> points);

  // The pseudo-angle in [0, 360) of the direction from b to a, counterclockwise
  // from the positive X direction; 0 for coincident points.
  static double Theta(TPoint* a, TPoint* b);

  // The area of the triangle by Heron's formula on the distances p-q, p-r and q-r.
  static double Heron(TPoint* p, TPoint* q, TPoint* r);

  // The area of a convex polygon given by its vertices in order: the Heron areas
  // of the triangles that each pair of consecutive vertices forms with the
  // centroid. No triangle closes the ring from the last vertex to the first, so a
  // ring must repeat its first vertex at the end to get its full area. 0 for an
  // empty list or a single point.
  static double FindConvexPolygonArea(std::vector<TPoint*> points);

  // The convex hull by gift wrapping: it starts at the first of the lowest points
  // and takes, step by step, the point of the smallest pseudo-angle strictly
  // greater than the previous step's (the first met among equals). Points on a
  // hull edge continuing the previous step's direction, and points level with the
  // start on its positive X side, are left out. The result holds Clone copies
  // (TMapPoints stay TMapPoints), owned by the caller.
  static std::vector<TPoint*> FindConvexHull(std::vector<TPoint*> points);
};
