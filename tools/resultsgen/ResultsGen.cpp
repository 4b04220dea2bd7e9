#include "resultsgen/ResultsGen.h"

#include <cmath>

uint64_t ResultsGenRandom::Next()
{
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double ResultsGenRandom::Uniform()
{
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

uint32_t ResultsGenRandom::Below(uint32_t n)
{
    return static_cast<uint32_t>(((Next() >> 32) * n) >> 32);
}

namespace {

// e^-x as 1 / e^x, with e^x summed from its series of positive terms: only
// the basic operations whose results IEEE arithmetic fixes, so the same bits
// on every platform, unlike the library's exp.
double ExpMinus(double x)
{
    double term = 1.0;
    double sum = 1.0;
    for (int k = 1; k < 100; ++k) {
        term *= x / k;
        sum += term;
    }
    return 1.0 / sum;
}

} // namespace

int ResultsGenRandom::Poisson(double mean)
{
    // Knuth's multiplication method; fine for the small means of goals.
    const double limit = ExpMinus(mean);
    int k = 0;
    double product = Uniform();
    while (product > limit && k < 1000) {
        ++k;
        product *= Uniform();
    }
    return k;
}

std::string ResultsGen_TacticName(int index)
{
    static const char* const kStyles[] = {"Counter442", "Press433", "Wing352", "Park532", "Flow4231",
                                          "Direct442", "Diamond41212", "Libero5212"};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s_%04d", kStyles[index % 8], index);
    return buffer;
}

namespace {

struct TacticStrength {
    std::string name;
    double attack;  // goals scored per game
    double defence; // goals conceded per game
};

struct Season {
    int goals_for = 0, goals_against = 0, points = 0, won = 0, drawn = 0, lost = 0;
};

Season PlaySeason(ResultsGenRandom& rng, const TacticStrength& t, int games)
{
    Season s;
    for (int g = 0; g < games; ++g) {
        int scored = rng.Poisson(t.attack);
        int conceded = rng.Poisson(t.defence);
        s.goals_for += scored;
        s.goals_against += conceded;
        if (scored > conceded)
            ++s.won;
        else if (scored == conceded)
            ++s.drawn;
        else
            ++s.lost;
    }
    s.points = 3 * s.won + s.drawn;
    return s;
}

const char* const kComments[] = {
    "; results noted after each season",
    "# new patch installed",
    "; same squad, fresh save",
    "# fitness coach changed",
};

} // namespace

bool ResultsGen_Write(std::FILE* out, const ResultsGenOptions& options)
{
    ResultsGenRandom rng(options.seed);
    std::vector<TacticStrength> tactics;
    int count = options.names.empty() ? (options.tactics > 0 ? options.tactics : 1)
                                      : static_cast<int>(options.names.size());
    for (int i = 0; i < count; ++i) {
        TacticStrength t;
        t.name = options.names.empty() ? ResultsGen_TacticName(i) : options.names[i];
        t.attack = 1.1 + 1.1 * rng.Uniform();
        t.defence = 0.7 + 0.9 * rng.Uniform();
        tactics.push_back(t);
    }

    for (long line = 0; line < options.lines; ++line) {
        double extra = rng.Uniform();
        if (extra < options.comment_share)
            std::fprintf(out, "%s\n", kComments[rng.Below(4)]);
        else if (extra < options.comment_share + options.blank_share)
            std::fputs("\n", out);

        const TacticStrength& t = tactics[rng.Below(static_cast<uint32_t>(tactics.size()))];
        Season s = PlaySeason(rng, t, options.games);
        uint32_t form = options.mixed_forms ? rng.Below(10) : 9;
        switch (form) {
        case 0: // goals and points only
            std::fprintf(out, "%s %d-%d %d\n", t.name.c_str(), s.goals_for, s.goals_against, s.points);
            break;
        case 1: // with the number of games
            std::fprintf(out, "%s %d-%d %d %d\n", t.name.c_str(), s.goals_for, s.goals_against, s.points,
                         options.games);
            break;
        case 2: // tab separated
            std::fprintf(out, "%s\t%d-%d\t%d\t%d\t%d-%d-%d\n", t.name.c_str(), s.goals_for, s.goals_against,
                         s.points, options.games, s.won, s.drawn, s.lost);
            break;
        default: // the program's own writer format
            std::fprintf(out, "%-25s %2i-%-2i %2i %i %i-%i-%i\n", t.name.c_str(), s.goals_for, s.goals_against,
                         s.points, options.games, s.won, s.drawn, s.lost);
            break;
        }
    }
    return std::ferror(out) == 0;
}
