#include "stats/Intervals.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Critical values for df 0 to 11.
constexpr double kSmallDf[12] = {0.0,   12.71, 4.303, 3.182, 2.776, 2.571,
                                 2.447, 2.365, 2.306, 2.262, 2.228, 2.201};

// From df 12 on: the value of every df from this lower bound up to the next.
struct DfRange {
    int lowest_df;
    double value;
};
constexpr DfRange kRanges[] = {
    {12, 2.178},   {16, 2.12},    {18, 2.1},     {20, 2.086},   {30, 2.042},   {40, 2.02},    {50, 2.01},
    {60, 2.0},     {70, 1.9944},  {80, 1.99},    {90, 1.9867},  {100, 1.984},  {120, 1.98},   {140, 1.9771},
    {159, 1.975},  {170, 1.974},  {183, 1.973},  {198, 1.972},  {216, 1.971},  {237, 1.97},   {263, 1.969},
    {295, 1.968},  {336, 1.967},  {465, 1.965},  {582, 1.964},  {770, 1.963},  {1139, 1.962}, {2185, 1.961},
};

// Abramowitz and Stegun 26.2.17: p, then b1 to b5.
constexpr double kNormal[6] = {0.2316419, 0.31938153, -0.356563782, 1.781477937, -1.821255978, 1.330274429};
constexpr double kTwoPi = 6.283185307179587;
constexpr double kZ975 = 1.96;

} // namespace

double StudentT975(int df)
{
    if (df < 0)
        return kNaN;
    if (df < 12)
        return kSmallDf[df];
    double value = kRanges[0].value;
    for (const DfRange& range : kRanges) {
        if (df < range.lowest_df)
            break;
        value = range.value;
    }
    return value;
}

double SampleStats_HalfWidth95(const SampleStats* s)
{
    if (s->count < 2)
        return kNaN;
    double t = StudentT975(s->count - 1);
    double sd = std::sqrt(SampleStats_Variance(s));
    double r = std::sqrt(static_cast<double>(s->count - 1));
    return t * sd / r;
}

double NormalCdf(double x)
{
    double phi = std::exp(-0.5 * x * x) / std::sqrt(kTwoPi);
    double t = 1.0 / (kNormal[0] * x + 1.0);
    double sum = 0.0;
    double power = 1.0;
    for (int k = 1; k <= 5; ++k) {
        power *= t;
        sum += kNormal[k] * power;
    }
    return 1.0 - phi * sum;
}

double ProbGreater(const SampleStats* a, const SampleStats* b)
{
    double sa = SampleStats_HalfWidth95(a) / kZ975;
    double sb = SampleStats_HalfWidth95(b) / kZ975;
    if (std::isnan(sa) || std::isnan(sb))
        return kNaN;
    double d = a->mean - b->mean;
    if (sa == 0.0 && sb == 0.0) {
        if (d == 0.0)
            return 0.5;
        return d > 0.0 ? 1.0 : 0.0;
    }
    double s = std::sqrt(sa * sa + sb * sb);
    if (d >= 0.0)
        return NormalCdf(d / s);
    return 1.0 - NormalCdf(-d / s);
}
