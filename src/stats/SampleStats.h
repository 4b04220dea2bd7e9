// Running accumulator of a series of doubles (Welford's method): mean, sum of
// squared deviations, extremes and count in constant space.
#pragma once

#include <cstdint>

struct SampleStats {
    double mean;   // mean of the values added so far
    double m2;     // sum of squared deviations from the mean
    double max;    // largest value added
    double min;    // smallest value added (1e307 while empty)
    int32_t count; // number of values added
};

// A new accumulator in the empty state.
SampleStats* SampleStats_Create();

// Puts s into the empty state: mean, m2 and max 0.0, min 1e307, count 0.
void SampleStats_Init(SampleStats* s);

// Adds one value.
void SampleStats_Add(SampleStats* s, double x);

// The sample variance m2 / (count - 1); m2 itself (0.0) for fewer than two values.
double SampleStats_Variance(const SampleStats* s);

// Releases s; null is ignored.
void SampleStats_Destroy(SampleStats* s);
