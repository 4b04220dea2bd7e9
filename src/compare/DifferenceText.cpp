#include "compare/DifferenceText.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double kClearDifference = 0.05;
constexpr double kEven = 0.5;
constexpr double kPercentScale = 99.49;
constexpr const char* kNoNumber = "n/a";

} // namespace

uint32_t DifferenceColour(double v)
{
    if (v > kClearDifference)
        return kTacticAColour;
    if (v < -kClearDifference)
        return kTacticBColour;
    return kNeutralColour;
}

uint32_t ProbabilityColour(double p)
{
    return DifferenceColour(p - kEven);
}

void DifferenceText_Difference(double v, char* buffer, std::size_t size)
{
    if (std::isfinite(v))
        std::snprintf(buffer, size, "%+.1lf", v);
    else
        std::snprintf(buffer, size, "%s", kNoNumber);
}

void DifferenceText_Probability(double p, char* buffer, std::size_t size)
{
    if (std::isfinite(p))
        std::snprintf(buffer, size, "%.0lf%%", p * kPercentScale);
    else
        std::snprintf(buffer, size, "%s", kNoNumber);
}
