#include "compare/PlayerMatch.h"

#include "compare/AssignmentReference.h"
#include "support/NumVector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

#ifndef KX_LONG_TESTS
#define KX_LONG_TESTS 0
#endif
constexpr int kInstances = KX_LONG_TESTS ? 150000 : 3000;
constexpr int kPlayers = kFormationPlayers, kCoordinates = 48, kPlayerBytes = 96; // x and y of 24 situations

uint8_t* PlayerBytes(Formation* f, int player)
{
    return f->bytes + Formation_EntryOffset(player, 0, 0, 0);
}

// A formation with coordinate k (x, y of each situation in file order) of player p at value(p, k).
template <typename Value> Formation Make(Value value)
{
    Formation f{};
    for (int c = 0; c < kPlayers * kCoordinates; ++c) {
        auto bits = static_cast<uint16_t>(value(c / kCoordinates, c % kCoordinates));
        PlayerBytes(&f, 0)[2 * c] = static_cast<uint8_t>(bits & 0xFF);
        PlayerBytes(&f, 0)[2 * c + 1] = static_cast<uint8_t>(bits >> 8);
    }
    return f;
}

// Formations of a few kinds: 0 anywhere on the pitch, 1 in a 2 x 2 corner (many ties), 2 over the
// whole 16-bit range and at its extremes, 3 one spot for all, 4 spread out and moving with the ball.
Formation RandomFormation(std::mt19937_64& random, int kind)
{
    static const int kExtremes[] = {-32768, -32767, -3, -2, -1, 0, 1, 2, 3, 32766, 32767};
    auto uniform = [&random](int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); };
    const int spot = uniform(-32768, 32767), s = uniform(0, 99);
    return Make([&](int p, int k) {
        switch (kind) {
        case 0: return uniform(0, k % 2 ? 35 : 26);
        case 1: return uniform(0, 1);
        case 2: return random() % 2 ? kExtremes[uniform(0, 10)] : uniform(-32768, 32767);
        case 3: return spot;
        default: return uniform(-1, 1) + (k % 2 ? (13 * p + s) % 30 + k / 2 % 4 * 2 : (7 * p + s) % 24 + k / 8 % 3);
        }
    });
}

std::vector<int> Match(const Formation* a, const Formation* b)
{
    int32_t* match = Formation_MatchPlayers(a, b);
    std::vector<int> result(match, match + kPlayers);
    IntVector_Free(match);
    return result;
}

} // namespace

TEST(PlayerMatch, CostCountsCellsAndCoordinates)
{
    const struct { int xa, ya, xb, yb; double cost; const char* what; } cases[] = {
        {4, 10, 5, 10, 12.0, "x 4 against 5: same cell, 24 x 0.5"}, {7, 2, 7, 3, 228.0, "y 2 against 3"},
        {2, 10, 3, 10, 228.0, "x 2 against 3: cells 0 and 1, 24 x (9 + 0.5)"},
        {-1, 0, 2, 0, 108.0, "x -1 and 2 share cell 0: only 24 x 0.5 x 9"},
        {-4, 0, -3, 0, 12.0, "x -4 and -3 share cell -1 (truncation, not floor)"},
        {-32768, 32767, 32767, -32768, 2 * 154604667276.0, "x and y at the extremes: squares need 64 bits"}};
    for (const auto& c : cases) {
        Formation a = Make([&](int, int k) { return k % 2 ? c.ya : c.xa; });
        Formation b = Make([&](int, int k) { return k % 2 ? c.yb : c.xb; });
        EXPECT_EQ(Formation_MatchCost(&a, 3, &b, 5), c.cost) << c.what;
    }
}

TEST(PlayerMatch, SameOrMissingFormationsAndExchangedPlayers)
{
    std::mt19937_64 random(11);
    Formation a = RandomFormation(random, 4), spot = RandomFormation(random, 3);
    for (int p = 0; p < kPlayers; ++p)
        PlayerBytes(&a, p)[0] = static_cast<uint8_t>(100 + p); // no two players share all their positions
    Formation copy = a, exchanged = a, spot_copy = spot;
    const std::vector<int> identity = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const struct { const Formation *a, *b; const char* what; } same[] = {
        {nullptr, nullptr, "no formations"}, {&a, nullptr, "no B"},  {nullptr, &a, "no A"}, {&a, &a, "the same record"},
        {&a, &copy, "equal formations"},     {&spot, &spot_copy, "everyone on one spot: every cost 0"}};
    for (const auto& s : same)
        EXPECT_EQ(Match(s.a, s.b), identity) << s.what;
    std::swap_ranges(PlayerBytes(&exchanged, 3), PlayerBytes(&exchanged, 4), PlayerBytes(&exchanged, 7));
    EXPECT_EQ(Match(&a, &exchanged), (std::vector{0, 1, 2, 7, 4, 5, 6, 3, 8, 9, 10})) << "players 3 and 7 exchanged";
}

// Generated pairs of formations, B often A's players shuffled, twins among the players of either or
// both: every cost is the formula's, and the pairing has the least total cost (checked independently).
TEST(PlayerMatch, CostsAreTheFormulasAndPairingsLeast)
{
    std::mt19937_64 random(0x5eed);
    int failures = 0;
    for (int n = 0; n < kInstances; ++n) {
        Formation a = RandomFormation(random, n % 5);
        Formation b = n % 4 == 1 ? a : RandomFormation(random, static_cast<int>(random() % 3 ? random() % 5 : n % 5));
        for (int p = kPlayers - 1; p > 0; --p)
            std::swap_ranges(PlayerBytes(&b, p), PlayerBytes(&b, p + 1), PlayerBytes(&b, random() % (p + 1)));
        for (Formation* f : {&a, &b})
            for (int copies = random() % 4 ? 0 : static_cast<int>(random() % 6); copies > 0; --copies)
                std::copy_n(PlayerBytes(f, random() % kPlayers), kPlayerBytes, PlayerBytes(f, random() % kPlayers));
        double costs[kPlayers][kPlayers];
        Formation_MatchCosts(&a, &b, costs);
        CostMatrix halves{kPlayers, {}};
        bool ok = true;
        for (int c = 0; c < kPlayers * kPlayers; ++c) {
            int i = c / kPlayers, j = c % kPlayers;
            int64_t want = 0; // in halves
            for (int k = 0; k < kCoordinates; ++k) {
                int64_t xa = Formation_ReadInt16(PlayerBytes(&a, i) + 2 * k);
                int64_t xb = Formation_ReadInt16(PlayerBytes(&b, j) + 2 * k);
                want += 18 * (xa / 3 - xb / 3) * (xa / 3 - xb / 3) + (xa - xb) * (xa - xb);
            }
            halves.cost.push_back(want);
            ok = ok && costs[i][j] * 2 == double(want) && (i != j || Formation_MatchCost(&a, i, &b, j) * 2 == want);
        }
        std::vector<int> got = Match(&a, &b);
        if (!(ok && IsLeastAssignment(halves, got)) && ++failures <= 5)
            ADD_FAILURE() << "instance " << n << ": expected the formula's costs and a least-cost pairing, got "
                          << ::testing::PrintToString(got);
    }
    EXPECT_EQ(failures, 0) << "of " << kInstances << " instances";
}
