#pragma once

#include <string>
#include <vector>

// Small numeric operations on vectors, as static functions without state. Every
// operation takes its vectors by value and returns a number or a new vector.
// Arithmetic is plain double: empty vectors and zero denominators give the IEEE
// results (a mean of nothing is NaN).
class TVectorTools {
 public:
  // The elements added from the first to the last, starting from 0.
  static double SumVector(std::vector<double> values);

  // SumVector divided by the number of elements.
  static double VectorMean(std::vector<double> values);

  // The sum of value x weight over all positions, divided by the number of
  // positions (not by the sum of the weights). Throws "Length of value and weight
  // vectors do not match in TVectorTools::WeightedMean".
  static double VectorWeightedMean(std::vector<double> values, std::vector<double> weights);

  // Whether some element equals the value (IEEE equality: a NaN is never found,
  // 0 matches -0).
  static bool HasValue(std::vector<double> values, double value);
  static bool HasValue(std::vector<int> values, int value);

  // The element-wise products. Throws "Length of vectors does not match in
  // TVectorTools::VectorProduct".
  static std::vector<double> VectorProduct(std::vector<double> a, std::vector<double> b);

  // start, start + step, ... while the value is <= end, each value the previous one
  // plus the step (so rounding accumulates); end is included when reached exactly.
  // Empty when start > end or either is NaN; a NaN step gives {start}. Throws
  // "Step does not carry the series past its end in TVectorTools::VectorSeries"
  // when start <= end and the series could never pass end: a step of zero or less,
  // an infinite end, or a step too small to change the value it is added to.
  static std::vector<double> VectorSeries(double start, double end, double step);

  // The least-squares slope of y against x, (Sxy n - Sx Sy) / (Sxx n - Sx Sx) with
  // n the length of y; no guard on the division. Throws the VectorProduct message
  // when the lengths differ.
  static double Gradient(std::vector<double> x, std::vector<double> y);

  // Each string read like atoi: leading white space, an optional sign, the longest
  // run of decimal digits; 0 when there is none. A number beyond the range of int
  // gives the nearest int.
  static std::vector<int> StringToInt(std::vector<std::string> strings);

  // Each string read like atof: the longest prefix that is a number, 0 when none.
  static std::vector<double> StringToDouble(std::vector<std::string> strings);

  // Each element converted exactly.
  static std::vector<double> IntToDouble(std::vector<int> values);
};
