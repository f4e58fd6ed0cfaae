#pragma once

// A position in the plane. Points are copied only through the virtual Clone,
// so a copy keeps its class.
class TPoint {
 public:
  double MbrDblX;
  double MbrDblY;

  TPoint(double x, double y) : MbrDblX(x), MbrDblY(y) {}
  virtual ~TPoint() = default;

  double GetX() const { return MbrDblX; }
  double GetY() const { return MbrDblY; }

  // A new point with the same ordinates (and class); the caller owns it.
  virtual TPoint* Clone() const;

  // Euclidean distance to the other point; allocates nothing.
  double Distance(const TPoint* other) const;

 protected:
  TPoint(const TPoint&) = default;
  TPoint& operator=(const TPoint&) = default;
};

// A position that carries the value of the cell it stands for.
class TMapPoint : public TPoint {
 public:
  double MbrDblValue;

  TMapPoint(double x, double y, double value) : TPoint(x, y), MbrDblValue(value) {}

  double GetValue() const { return MbrDblValue; }

  // A new TMapPoint with the same ordinates and value; the caller owns it.
  TPoint* Clone() const override;
};
