#include "stats/ExpectedPoints.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Expected points ------------------------------------------------------------

// The sum stops once the terms left add less than this share of it.
constexpr double kTailShare = 1e-10;
// A bound the sum never reaches: with at most 50 goals a game the terms fall
// below the tail share within about 150.
constexpr int kMaxTerms = 512;

constexpr double kLog2E = 1.4426950408889634;

// 1 / k for k = 1 to kMaxTerms: the Poisson terms grow by the mean over k.
struct Reciprocals {
    double of[kMaxTerms + 1];
    constexpr Reciprocals() : of{}
    {
        for (int k = 1; k <= kMaxTerms; ++k)
            of[k] = 1.0 / k;
    }
};
constexpr Reciprocals kReciprocals;

// 2^n for 0 <= n <= 1023, exactly.
double PowerOfTwo(int n)
{
    return std::bit_cast<double>(static_cast<uint64_t>(n + 1023) << 52);
}

// Best of several means ------------------------------------------------------

constexpr double kSqrtHalf = 0.70710678118654752;
constexpr double kSqrtTwoPi = 2.5066282746310002;
// A true mean lies within this many standard errors of its estimate.
constexpr double kReachSe = 10.0;
// Above mean + 8 standard errors the log of a cdf is above -1e-15: taken as 0.
constexpr double kCdfFlatSe = 8.0;
// Where the chance that every mean lies below x is under e^-50, what lies
// further down adds less than that to any tactic's chance: the integral
// starts there.
constexpr double kLogNegligible = -50.0;
// A density beyond 8.5 standard errors times a cdf product adds less than e^-36.
constexpr double kDensityReachSe = 8.5;
constexpr double kLogTermNegligible = -36.0;
// Grid steps per standard error of the narrowest distribution, for n means:
// 4 + 1.5 sqrt(2 ln n), as the highest of n similar means is spread about
// sqrt(2 ln n) times narrower than each. At most kMaxSteps in all, which
// bounds the work but makes the grid coarser than that when standard errors
// lie more than about 100 times apart.
constexpr double kStepsPerSe = 4.0;
constexpr double kStepsPerSeSpread = 1.5;
constexpr int kMaxSteps = 8192;
constexpr int kMaxBisections = 60;

// Where LogNormalCdf takes the tail series: below -30 and above 5.
constexpr double kTailSeriesFrom = 30.0;
constexpr double kUpperTailFrom = 5.0;

struct Uncertain {
    double mean;
    double se; // > 0
    int index; // in the caller's arrays
};

// The log of the standard normal cdf at z, for every z, to within 1e-10.
// Far out in either tail it comes from the asymptotic series of the tail
// probability q, phi(z) / |z| * (1 - 1/z^2 + 3/z^4 - 15/z^6 + 105/z^8), which
// is faster than the library's erfc; above z = 5 the log is -q to 1e-13.
double LogNormalCdf(double z)
{
    if (z > -kTailSeriesFrom && z < kUpperTailFrom)
        return std::log(0.5 * std::erfc(-z * kSqrtHalf));
    double r = 1.0 / (z * z);
    double series = 1.0 + r * (-1.0 + r * (3.0 + r * (-15.0 + r * 105.0)));
    if (z > 0.0)
        return -std::exp(-0.5 * z * z) / (z * kSqrtTwoPi) * series;
    return -0.5 * z * z - std::log(-z * kSqrtTwoPi) + std::log(series);
}

// The log of the chance that every uncertain mean lies below x.
double LogAllBelow(const std::vector<Uncertain>& means, double x)
{
    double sum = 0.0;
    for (const Uncertain& m : means) {
        double z = (x - m.mean) / m.se;
        if (z < kCdfFlatSe)
            sum += LogNormalCdf(z);
    }
    return sum;
}

// The grid index of the last point at or below x (-1 when none, at most steps).
int LastIndexAtOrBelow(double x, double lo, double step, int steps)
{
    double k = std::floor((x - lo) / step);
    return k < 0.0 ? -1 : (k > steps ? steps : static_cast<int>(k));
}

// The grid index of the first point at or above x (0 at least, steps + 1 when none).
int FirstIndexAtOrAbove(double x, double lo, double step, int steps)
{
    double k = std::ceil((x - lo) / step);
    return k < 0.0 ? 0 : (k > steps ? steps + 1 : static_cast<int>(k));
}

// The lowest x from lo on where the chance that all means lie below x is no
// longer negligible (to within a grid step); hi is known to be above it.
double IntegralStart(const std::vector<Uncertain>& means, double lo, double hi, double step)
{
    if (LogAllBelow(means, lo) >= kLogNegligible)
        return lo;
    for (int i = 0; i < kMaxBisections && hi - lo > step; ++i) {
        double middle = lo + (hi - lo) / 2.0;
        if (LogAllBelow(means, middle) < kLogNegligible)
            lo = middle;
        else
            hi = middle;
    }
    return lo;
}

// P(i best) = integral from lo to hi of f_i(x) * product over j != i of F_j(x),
// by Simpson's rule on one grid: the log of the product over all j is formed
// once per grid point and each mean's own factor taken out of it.
void Integrate(const std::vector<Uncertain>& means, double lo, double hi, double* probs)
{
    const double per_se =
        kStepsPerSe + kStepsPerSeSpread * std::sqrt(2.0 * std::log(static_cast<double>(means.size())));
    double narrowest = kInfinity;
    for (const Uncertain& m : means)
        narrowest = std::min(narrowest, m.se);
    lo = IntegralStart(means, lo, hi, narrowest / per_se);
    narrowest = kInfinity; // of those whose density reaches the integral
    for (const Uncertain& m : means) {
        if (m.mean + kReachSe * m.se >= lo)
            narrowest = std::min(narrowest, m.se);
    }
    double wanted = std::ceil((hi - lo) * per_se / narrowest);
    int steps = wanted > kMaxSteps ? kMaxSteps : std::max(2, static_cast<int>(wanted));
    steps += steps % 2;
    const double step = (hi - lo) / steps;

    std::vector<double> log_all(static_cast<std::size_t>(steps) + 1, 0.0);
    for (const Uncertain& m : means) {
        int last = LastIndexAtOrBelow(m.mean + kCdfFlatSe * m.se, lo, step, steps);
        for (int k = 0; k <= last; ++k)
            log_all[static_cast<std::size_t>(k)] += LogNormalCdf((lo + k * step - m.mean) / m.se);
    }

    for (const Uncertain& m : means) {
        int first = FirstIndexAtOrAbove(m.mean - kReachSe * m.se, lo, step, steps);
        int last = LastIndexAtOrBelow(m.mean + kDensityReachSe * m.se, lo, step, steps);
        double sum = 0.0;
        for (int k = first; k <= last; ++k) {
            double z = (lo + k * step - m.mean) / m.se;
            double log_term = log_all[static_cast<std::size_t>(k)] - 0.5 * z * z;
            if (z > 0.0 && log_term < kLogTermNegligible)
                continue; // its own cdf is at least 1/2 there
            double weight = (k == 0 || k == steps) ? 1.0 : (k % 2 == 1 ? 4.0 : 2.0);
            sum += weight * std::exp(log_term - LogNormalCdf(z));
        }
        probs[m.index] = sum * step / 3.0 / (m.se * kSqrtTwoPi);
    }
}

} // namespace

double ExpectedPoints(int32_t games, int32_t goals_for, int32_t goals_against)
{
    if (games <= 0 || goals_for < 0 || goals_against < 0)
        return kNaN;
    const int64_t most = static_cast<int64_t>(kMaxGoalsPerGame) * games;
    if (goals_for > most || goals_against > most)
        return kNaN;
    const double g = games;
    const double a = goals_for / g;
    const double b = goals_against / g;

    // The sums without their common factor e^-(a+b): x = a^k/k!, y = b^k/k!,
    // below = the sum of b^j/j! for j < k. 3 P(X > Y) + P(X = Y) is the sum
    // of x * (3 * below + y).
    // Each later term is at most 3 * e^b times its x, and the x from k + 1 on
    // add up to at most x_(k+1) / (1 - a / (k + 2)): the sum stops when that
    // bound is below its share of the sum. (2^n >= e^b with n = floor(b log2 e)
    // + 1 is as good a bound and cheaper.) The test is made after every second
    // term.
    const double bound_factor = 3.0 * PowerOfTwo(static_cast<int>(b * kLog2E) + 1) / kTailShare;
    double x = 1.0;
    double y = 1.0;
    double below = 0.0;
    double sum = 0.0;
    for (int k = 0; k < kMaxTerms; k += 2) {
        sum += x * (3.0 * below + y);
        below += y;
        x *= a * kReciprocals.of[k + 1];
        y *= b * kReciprocals.of[k + 1];
        sum += x * (3.0 * below + y);
        below += y;
        x *= a * kReciprocals.of[k + 2];
        y *= b * kReciprocals.of[k + 2];
        double next = k + 3.0;
        if (next > a && bound_factor * x * next <= (next - a) * sum)
            break;
    }
    return g * sum * std::exp(-(a + b));
}

void BestProbabilities(const MeanEstimate* estimates, int count, double* probs)
{
    if (count < 1)
        return;
    std::fill(probs, probs + count, 0.0);
    // Every mean below the highest low end of reach is 0 without integration.
    double floor = -kInfinity;
    for (int i = 0; i < count; ++i)
        floor = std::max(floor, estimates[i].mean - kReachSe * estimates[i].se);
    std::vector<Uncertain> uncertain;
    double hi = floor;
    int certain_at_floor = 0; // a certain mean that can be best is the floor itself
    for (int i = 0; i < count; ++i) {
        const MeanEstimate& e = estimates[i];
        if (e.mean + kReachSe * e.se < floor)
            continue;
        if (e.se > 0.0) {
            uncertain.push_back({e.mean, e.se, i});
            hi = std::max(hi, e.mean + kDensityReachSe * e.se);
        } else {
            ++certain_at_floor;
        }
    }

    // The certain means at the top share the chance that all others lie
    // below them; the uncertain ones can be best only above them.
    if (certain_at_floor > 0) {
        double share = std::exp(LogAllBelow(uncertain, floor)) / certain_at_floor;
        for (int i = 0; i < count; ++i) {
            if (!(estimates[i].se > 0.0) && estimates[i].mean == floor)
                probs[i] = share;
        }
    }
    if (!uncertain.empty())
        Integrate(uncertain, floor, hi, probs);

    double total = 0.0;
    for (int i = 0; i < count; ++i)
        total += probs[i];
    if (total > 0.0) {
        for (int i = 0; i < count; ++i)
            probs[i] /= total;
    }
}
