// 95% confidence intervals of a mean and the probability that one mean
// exceeds another.
#pragma once

#include "stats/SampleStats.h"

// The two-sided 95% critical value of Student's t for df degrees of freedom
// (df >= 0) from the program's table; NaN for a negative df.
double StudentT975(int df);

// Half-width h of the 95% interval mean +- h: t(count - 1) * sd / sqrt(count - 1).
// NaN for fewer than two values, which give no interval.
double SampleStats_HalfWidth95(const SampleStats* s);

// The standard normal distribution at x >= 0 (Abramowitz and Stegun 26.2.17).
double NormalCdf(double x);

// The probability that the true mean behind a exceeds the one behind b
// (normal approximation). NaN when either has no interval; when neither has
// any spread, 0.5 for equal means and otherwise 1 or 0.
double ProbGreater(const SampleStats* a, const SampleStats* b);
