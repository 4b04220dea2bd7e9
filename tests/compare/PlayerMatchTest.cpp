#include "compare/PlayerMatch.h"

#include "compare/AssignmentReference.h"
#include "support/NumVector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

namespace {

constexpr int kPlayers = kFormationPlayers;
constexpr int kSituations = kFormationBallStates * kFormationZoneColumns * kFormationZoneRows;

// A player's positions in the 24 situations, in the order ball state, zone
// column, zone row.
struct Position {
    int x;
    int y;
};
using Track = std::array<Position, kSituations>;
using Lineup = std::array<Track, kPlayers>;

void Put16(Formation* f, int offset, int value)
{
    auto bits = static_cast<uint16_t>(static_cast<int16_t>(value));
    f->bytes[offset] = static_cast<uint8_t>(bits & 0xFF);
    f->bytes[offset + 1] = static_cast<uint8_t>(bits >> 8);
}

void SetPosition(Formation* f, int player, int situation, Position p)
{
    int s = situation / (kFormationZoneColumns * kFormationZoneRows);
    int c = situation / kFormationZoneRows % kFormationZoneColumns;
    int r = situation % kFormationZoneRows;
    int offset = Formation_EntryOffset(player, s, c, r);
    Put16(f, offset, p.x);
    Put16(f, offset + 2, p.y);
}

// A formation record whose players all stand at `spot` in every situation.
Formation Uniform(Position spot)
{
    Formation f{};
    for (int p = 0; p < kPlayers; ++p)
        for (int k = 0; k < kSituations; ++k)
            SetPosition(&f, p, k, spot);
    return f;
}

Formation FromLineup(const Lineup& lineup)
{
    Formation f{};
    for (int p = 0; p < kPlayers; ++p)
        for (int k = 0; k < kSituations; ++k)
            SetPosition(&f, p, k, lineup[p][k]);
    return f;
}

std::vector<int> Match(const Formation* a, const Formation* b)
{
    int32_t* match = Formation_MatchPlayers(a, b);
    std::vector<int> result(match, match + kPlayers);
    IntVector_Free(match);
    return result;
}

std::vector<int> Identity()
{
    std::vector<int> identity(kPlayers);
    std::iota(identity.begin(), identity.end(), 0);
    return identity;
}

// Deterministic instance generators ------------------------------------------

class Generator {
public:
    explicit Generator(uint64_t seed) : random_(seed) {}

    int Uniform(int low, int high) // inclusive
    {
        return low + static_cast<int>(random_() % static_cast<uint64_t>(high - low + 1));
    }
    bool Coin() { return (random_() & 1) != 0; }

    Lineup RandomLineup(int x_low, int x_high, int y_low, int y_high)
    {
        Lineup lineup;
        for (Track& track : lineup)
            for (Position& p : track)
                p = {Uniform(x_low, x_high), Uniform(y_low, y_high)};
        return lineup;
    }

    Lineup PitchLineup() { return RandomLineup(0, 26, 0, 35); }

    // Base positions of one of a few shapes, moved with the ball's zone and
    // ball state, plus a small jitter.
    Lineup RealisticLineup()
    {
        static const Position kShapes[3][kPlayers] = {
            {{13, 2}, {4, 9}, {10, 8}, {16, 8}, {22, 9}, {4, 17}, {10, 16}, {16, 16}, {22, 17}, {10, 25}, {16, 25}},
            {{13, 2}, {4, 9}, {10, 8}, {16, 8}, {22, 9}, {7, 16}, {13, 15}, {19, 16}, {5, 26}, {13, 27}, {21, 26}},
            {{13, 2}, {7, 8}, {13, 7}, {19, 8}, {2, 16}, {8, 15}, {13, 17}, {18, 15}, {24, 16}, {10, 26}, {16, 26}},
        };
        const Position* shape = kShapes[Uniform(0, 2)];
        int jitter = Uniform(0, 2);
        Lineup lineup;
        for (int p = 0; p < kPlayers; ++p) {
            for (int k = 0; k < kSituations; ++k) {
                int s = k / 12;
                int c = k / 4 % 3;
                int r = k % 4;
                int reach = p == 0 ? 1 : 3;
                int x = shape[p].x + (c - 1) * reach + Uniform(-jitter, jitter);
                int y = shape[p].y + (2 * r - 3) * reach / 2 + s * 2 + Uniform(-jitter, jitter);
                lineup[p][k] = {std::clamp(x, 0, 26), std::clamp(y, 0, 35)};
            }
        }
        return lineup;
    }

    Lineup Shuffled(Lineup lineup)
    {
        for (int i = kPlayers - 1; i > 0; --i)
            std::swap(lineup[i], lineup[Uniform(0, i)]);
        return lineup;
    }

    Lineup Jittered(Lineup lineup, int jitter)
    {
        for (Track& track : lineup)
            for (Position& p : track)
                p = {p.x + Uniform(-jitter, jitter), p.y + Uniform(-jitter, jitter)};
        return lineup;
    }

    // Copies randomly chosen players onto others: one or several duplicates.
    Lineup Duplicated(Lineup lineup)
    {
        int copies = Coin() ? 1 : Uniform(2, 6);
        for (int n = 0; n < copies; ++n)
            lineup[Uniform(0, kPlayers - 1)] = lineup[Uniform(0, kPlayers - 1)];
        return lineup;
    }

    Lineup PitchOrRealistic() { return Coin() ? PitchLineup() : RealisticLineup(); }

    Lineup ExtremeLineup()
    {
        static const int kValues[] = {-32768, -32767, -32766, -3, -2, -1, 0, 1, 2, 3, 32765, 32766, 32767};
        Lineup lineup;
        bool full_range = Coin();
        for (Track& track : lineup) {
            for (Position& p : track) {
                if (full_range)
                    p = {Uniform(-32768, 32767), Uniform(-32768, 32767)};
                else
                    p = {kValues[Uniform(0, 12)], kValues[Uniform(0, 12)]};
            }
        }
        return lineup;
    }

    Lineup SameSpotEverywhere()
    {
        Position spot{Uniform(-32768, 32767), Uniform(-32768, 32767)};
        if (Coin())
            spot = {Uniform(0, 26), Uniform(0, 35)};
        Lineup lineup;
        for (Track& track : lineup)
            track.fill(spot);
        return lineup;
    }

private:
    std::mt19937_64 random_;
};

enum InstanceKind {
    kRandom,
    kRealistic,
    kPermutedA,
    kDuplicateInA,
    kDuplicateInB,
    kDuplicateInBoth,
    kTiny,
    kAllEqual,
    kExtremes,
    kExtremeDuplicates,
    kInstanceKinds
};

const char* const kKindNames[kInstanceKinds] = {
    "Random", "Realistic", "PermutedA", "DuplicateInA", "DuplicateInB", "DuplicatesInBoth",
    "Tiny",   "AllEqual",  "Extremes",  "ExtremeDuplicates"};

void MakeInstance(InstanceKind kind, Generator& g, Lineup* a, Lineup* b)
{
    switch (kind) {
    case kRandom:
        *a = g.PitchLineup();
        *b = g.PitchLineup();
        break;
    case kRealistic:
        *a = g.RealisticLineup();
        *b = g.Shuffled(g.RealisticLineup());
        break;
    case kPermutedA:
        *a = g.PitchOrRealistic();
        *b = g.Shuffled(*a);
        if (g.Coin())
            *b = g.Jittered(*b, 1);
        break;
    case kDuplicateInA:
        *a = g.Duplicated(g.PitchOrRealistic());
        *b = g.PitchOrRealistic();
        break;
    case kDuplicateInB:
        *a = g.PitchOrRealistic();
        *b = g.Duplicated(g.PitchOrRealistic());
        break;
    case kDuplicateInBoth:
        *a = g.Duplicated(g.PitchOrRealistic());
        *b = g.Coin() ? g.Shuffled(*a) : g.Duplicated(g.PitchOrRealistic());
        break;
    case kTiny:
        *a = g.Coin() ? g.RandomLineup(0, 1, 0, 1) : g.RandomLineup(-2, 2, -1, 0);
        *b = g.Coin() ? g.RandomLineup(0, 1, 0, 1) : g.RandomLineup(-2, 2, -1, 0);
        break;
    case kAllEqual:
        *a = g.SameSpotEverywhere();
        *b = g.Coin() ? *a : g.PitchOrRealistic(); // all costs 0, or every row alike
        if (g.Coin())
            std::swap(*a, *b);
        break;
    case kExtremes:
        *a = g.ExtremeLineup();
        *b = g.ExtremeLineup();
        break;
    case kExtremeDuplicates:
        *a = g.Duplicated(g.ExtremeLineup());
        *b = g.Coin() ? g.Duplicated(g.ExtremeLineup()) : g.Shuffled(*a);
        break;
    default:
        break;
    }
}

// Integer halves of the formation costs, for the reference.
CostMatrix HalvesMatrix(const double costs[kPlayers][kPlayers])
{
    CostMatrix m;
    m.n = kPlayers;
    for (int i = 0; i < kPlayers; ++i)
        for (int j = 0; j < kPlayers; ++j)
            m.cost.push_back(static_cast<int64_t>(costs[i][j] * 2.0));
    return m;
}

double Total(const double costs[kPlayers][kPlayers], const std::vector<int>& match)
{
    double total = 0.0;
    for (int i = 0; i < kPlayers; ++i)
        total += costs[i][match[i]];
    return total;
}

// Instances per kind: 150,000 in all in the long run, 3,000 otherwise.
#ifdef KX_LONG_TESTS
constexpr int kInstancesPerKind = 15000;
#else
constexpr int kInstancesPerKind = 300;
#endif

} // namespace

TEST(PlayerMatch, CostCountsCellsAndCoordinates)
{
    struct Case {
        Position a;
        Position b;
        double cost;
        const char* what;
    };
    const Case cases[] = {
        {{4, 10}, {5, 10}, 12.0, "x 4 against 5: same cell, 24 x 0.5"},
        {{2, 10}, {3, 10}, 228.0, "x 2 against 3: cells 0 and 1, 24 x (9.0 + 0.5)"},
        {{7, 4}, {7, 5}, 12.0, "y 4 against 5"},
        {{7, 2}, {7, 3}, 228.0, "y 2 against 3"},
        {{-1, 0}, {2, 0}, 108.0, "x -1 and 2 share cell 0: only 24 x 0.5 x 9"},
        {{-2, 0}, {0, 0}, 48.0, "x -2 and 0 share cell 0"},
        {{-4, 0}, {-3, 0}, 12.0, "x -4 and -3 share cell -1 (truncation, not floor)"},
        {{-3, 0}, {-2, 0}, 228.0, "x -3 and -2 lie in different cells"},
        {{1, 1}, {1, 1}, 0.0, "same spot"},
        {{-32768, 0}, {32767, 0}, 154604667276.0, "x at the 16-bit extremes: squares need 64 bits"},
        {{-32768, 32767}, {32767, -32768}, 2 * 154604667276.0, "x and y at the extremes"},
    };
    for (const Case& c : cases) {
        Formation a = Uniform(c.a);
        Formation b = Uniform(c.b);
        EXPECT_EQ(Formation_MatchCost(&a, 3, &b, 5), c.cost) << c.what;
        EXPECT_EQ(Formation_MatchCost(&b, 5, &a, 3), c.cost) << c.what << " (reversed)";
    }
}

TEST(PlayerMatch, CostMatrixPairsRowsOfAWithColumnsOfB)
{
    // A's player i stands at x = i, B's player j at x = 2j: cost[i][j] is the
    // cost of x i against 2j in every situation.
    Formation a = Uniform({0, 0});
    Formation b = Uniform({0, 0});
    for (int p = 0; p < kPlayers; ++p) {
        for (int k = 0; k < kSituations; ++k) {
            SetPosition(&a, p, k, {p, 0});
            SetPosition(&b, p, k, {2 * p, 0});
        }
    }
    double costs[kPlayers][kPlayers];
    Formation_MatchCosts(&a, &b, costs);
    for (int i = 0; i < kPlayers; ++i) {
        for (int j = 0; j < kPlayers; ++j) {
            double d = i - 2 * j;
            double cells = i / 3 - 2 * j / 3;
            EXPECT_EQ(costs[i][j], 24 * (9.0 * cells * cells + 0.5 * d * d)) << "i " << i << ", j " << j;
        }
    }
}

TEST(PlayerMatch, CostMatrixAgreesWithSingleCosts)
{
    // Every situation and both coordinates take part: on the pitch, with
    // coordinates up to +-3000 and just beyond, and at the 16-bit extremes.
    Generator g(7);
    for (int n = 0; n < 40; ++n) {
        Lineup lineup_a;
        Lineup lineup_b;
        switch (n % 4) {
        case 0:
            lineup_a = g.PitchLineup();
            lineup_b = g.PitchLineup();
            break;
        case 1:
            lineup_a = g.RandomLineup(-3000, 3000, -3000, 3000);
            lineup_b = g.RandomLineup(-3000, 3000, -3000, 3000);
            lineup_a[n % kPlayers][n % kSituations] = {3000, -3000};
            lineup_b[n % kPlayers][n % kSituations] = {-3000, 3000};
            if (n % 8 == 5)
                lineup_b[0][0].y = 3001;
            break;
        case 2:
            lineup_a = g.ExtremeLineup();
            lineup_b = g.ExtremeLineup();
            break;
        default:
            lineup_a = g.PitchLineup();
            lineup_b = g.ExtremeLineup();
            break;
        }
        Formation a = FromLineup(lineup_a);
        Formation b = FromLineup(lineup_b);
        double costs[kPlayers][kPlayers];
        Formation_MatchCosts(&a, &b, costs);
        for (int i = 0; i < kPlayers; ++i) {
            for (int j = 0; j < kPlayers; ++j) {
                double expected = 0.0;
                for (int s = 0; s < 2; ++s) {
                    for (int c = 0; c < 3; ++c) {
                        for (int r = 0; r < 4; ++r) {
                            int64_t xa = Formation_X(&a, i, s, c, r), xb = Formation_X(&b, j, s, c, r);
                            int64_t ya = Formation_Y(&a, i, s, c, r), yb = Formation_Y(&b, j, s, c, r);
                            expected += 9.0 * static_cast<double>((xa / 3 - xb / 3) * (xa / 3 - xb / 3));
                            expected += 0.5 * static_cast<double>((xa - xb) * (xa - xb));
                            expected += 9.0 * static_cast<double>((ya / 3 - yb / 3) * (ya / 3 - yb / 3));
                            expected += 0.5 * static_cast<double>((ya - yb) * (ya - yb));
                        }
                    }
                }
                ASSERT_EQ(costs[i][j], expected) << "instance " << n << ", i " << i << ", j " << j;
                ASSERT_EQ(Formation_MatchCost(&a, i, &b, j), expected) << "instance " << n;
            }
        }
    }
}

TEST(PlayerMatch, MissingOrSameFormationGivesTheIdentity)
{
    Generator g(11);
    Formation a = FromLineup(g.PitchLineup());
    Formation shuffled = FromLineup(g.Shuffled(g.PitchLineup()));
    EXPECT_EQ(Match(nullptr, nullptr), Identity());
    EXPECT_EQ(Match(&a, nullptr), Identity());
    EXPECT_EQ(Match(nullptr, &a), Identity());
    EXPECT_EQ(Match(&a, &a), Identity()) << "the same record";
    EXPECT_EQ(Match(&shuffled, &shuffled), Identity()) << "the same record";
}

TEST(PlayerMatch, EqualFormationsPairEachPlayerWithHimself)
{
    Generator g(12);
    Lineup lineup = g.RealisticLineup();
    for (int p = 0; p < kPlayers; ++p)
        lineup[p][0] = {100 + p, 0}; // no two players share all their positions
    Formation a = FromLineup(lineup);
    Formation copy = a;
    EXPECT_EQ(Match(&a, &copy), Identity());
}

TEST(PlayerMatch, ExchangedPlayersArePairedAcross)
{
    Generator g(13);
    Lineup lineup = g.RealisticLineup();
    for (int p = 0; p < kPlayers; ++p)
        lineup[p][5] = {-10 - p, 40 + p};
    Lineup exchanged = lineup;
    std::swap(exchanged[3], exchanged[7]);
    Formation a = FromLineup(lineup);
    Formation b = FromLineup(exchanged);
    std::vector<int> expected = Identity();
    std::swap(expected[3], expected[7]);
    EXPECT_EQ(Match(&a, &b), expected);
}

TEST(PlayerMatch, AllPlayersOnOneSpotStillPairEveryone)
{
    // Every cost is 0: any pairing is least, but it must be complete.
    Formation a = Uniform({13, 17});
    Formation b = Uniform({13, 17});
    std::vector<int> match = Match(&a, &b);
    EXPECT_TRUE(IsPermutation(match, kPlayers)) << "got " << ::testing::PrintToString(match);
    EXPECT_EQ(match, Identity()) << "ties resolve to the identity";
}

TEST(PlayerMatch, TwinsInBArePairedWithDifferentPlayers)
{
    Generator g(14);
    Lineup lineup_a = g.RealisticLineup();
    Lineup lineup_b = g.RealisticLineup();
    lineup_b[6] = lineup_b[2];
    Formation a = FromLineup(lineup_a);
    Formation b = FromLineup(lineup_b);
    double costs[kPlayers][kPlayers];
    Formation_MatchCosts(&a, &b, costs);
    std::vector<int> match = Match(&a, &b);
    ASSERT_TRUE(IsPermutation(match, kPlayers)) << "got " << ::testing::PrintToString(match);
    EXPECT_EQ(Total(costs, match), Total(costs, HungarianAssignment(HalvesMatrix(costs))));
}

// Every generated instance ends with a permutation of 0..10 whose total is
// the reference optimum.
class PlayerMatchDifferential : public ::testing::TestWithParam<InstanceKind> {};

TEST_P(PlayerMatchDifferential, AgreesWithHungarian)
{
    const InstanceKind kind = GetParam();
    int failures = 0;
    for (int n = 0; n < kInstancesPerKind; ++n) {
        Generator g(0x5eed000000ull + static_cast<uint64_t>(kind) * 1000000 + static_cast<uint64_t>(n));
        Lineup lineup_a;
        Lineup lineup_b;
        MakeInstance(kind, g, &lineup_a, &lineup_b);
        Formation a = FromLineup(lineup_a);
        Formation b = FromLineup(lineup_b);
        double costs[kPlayers][kPlayers];
        Formation_MatchCosts(&a, &b, costs);
        std::vector<int> match = Match(&a, &b);
        std::vector<int> reference = HungarianAssignment(HalvesMatrix(costs));
        bool ok = IsPermutation(match, kPlayers) && Total(costs, match) == Total(costs, reference);
        if (!ok && ++failures <= 5) {
            ADD_FAILURE() << "instance " << n << ": got " << ::testing::PrintToString(match) << ", reference "
                          << ::testing::PrintToString(reference);
            if (IsPermutation(match, kPlayers))
                ADD_FAILURE() << "total " << Total(costs, match) << ", least " << Total(costs, reference);
        }
    }
    EXPECT_EQ(failures, 0) << "of " << kInstancesPerKind << " instances";
    std::printf("[ instances ] %d %s matchings checked against the reference\n", kInstancesPerKind, kKindNames[kind]);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PlayerMatchDifferential, ::testing::Range(kRandom, kInstanceKinds),
                         [](const ::testing::TestParamInfo<InstanceKind>& info) { return kKindNames[info.param]; });
