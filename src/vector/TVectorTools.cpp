#include "TVectorTools.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {
const char* const kWeightLengths = "Length of value and weight vectors do not match in TVectorTools::WeightedMean";
const char* const kProductLengths = "Length of vectors does not match in TVectorTools::VectorProduct";
const char* const kEndlessSeries = "Step does not carry the series past its end in TVectorTools::VectorSeries";
const int kDecimalBase = 10;

template <class T>
bool Contains(const std::vector<T>& values, T value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}
}  // namespace

double TVectorTools::SumVector(std::vector<double> values) {
  double sum = 0;
  for (double value : values) sum += value;
  return sum;
}

double TVectorTools::VectorMean(std::vector<double> values) {
  const double count = static_cast<double>(values.size());
  return SumVector(std::move(values)) / count;
}

double TVectorTools::VectorWeightedMean(std::vector<double> values, std::vector<double> weights) {
  if (values.size() != weights.size()) throw kWeightLengths;
  double sum = 0;
  for (std::size_t i = 0; i < values.size(); ++i) sum += values[i] * weights[i];
  return sum / static_cast<double>(values.size());
}

bool TVectorTools::HasValue(std::vector<double> values, double value) { return Contains(values, value); }

bool TVectorTools::HasValue(std::vector<int> values, int value) { return Contains(values, value); }

std::vector<double> TVectorTools::VectorProduct(std::vector<double> a, std::vector<double> b) {
  if (a.size() != b.size()) throw kProductLengths;
  std::vector<double> products(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) products[i] = a[i] * b[i];
  return products;
}

std::vector<double> TVectorTools::VectorSeries(double start, double end, double step) {
  // A NaN step is let through: the first addition makes the value NaN, which ends
  // the series after start.
  if (start <= end && (step <= 0 || std::isinf(end))) throw kEndlessSeries;
  std::vector<double> series;
  for (double value = start; value <= end;) {
    series.push_back(value);
    const double next = value + step;
    if (next == value) throw kEndlessSeries;
    value = next;
  }
  return series;
}

double TVectorTools::Gradient(std::vector<double> x, std::vector<double> y) {
  const double sx = SumVector(x);
  const double sy = SumVector(y);
  const double sxx = SumVector(VectorProduct(x, x));
  const double sxy = SumVector(VectorProduct(x, y));
  const double n = static_cast<double>(y.size());
  return (sxy * n - sx * sy) / (sxx * n - sx * sx);
}

std::vector<int> TVectorTools::StringToInt(std::vector<std::string> strings) {
  std::vector<int> numbers;
  numbers.reserve(strings.size());
  for (const std::string& text : strings) {
    // atoi itself leaves an out-of-range number undefined; strtol saturates at the
    // long range, and the clamp carries that on to int.
    const long number = std::strtol(text.c_str(), nullptr, kDecimalBase);
    numbers.push_back(static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX)));
  }
  return numbers;
}

std::vector<double> TVectorTools::StringToDouble(std::vector<std::string> strings) {
  std::vector<double> numbers;
  numbers.reserve(strings.size());
  for (const std::string& text : strings) numbers.push_back(std::strtod(text.c_str(), nullptr));
  return numbers;
}

std::vector<double> TVectorTools::IntToDouble(std::vector<int> values) {
  return std::vector<double>(values.begin(), values.end());
}
