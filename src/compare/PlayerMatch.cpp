#include "compare/PlayerMatch.h"

#include "compare/AssignmentSolver.h"
#include "support/NumVector.h"

#include <cstring>

namespace {

constexpr int kCoordinates = 2 * kFormationBallStates * kFormationZoneColumns * kFormationZoneRows;
constexpr int kCellSize = 3;
constexpr int64_t kCellWeightInHalves = 18; // 9.0 per squared cell difference
constexpr int64_t kFineWeightInHalves = 1;  // 0.5 per squared coordinate difference
// Coordinates within this bound (real pitches use 0-35) have differences
// that fit in 16 bits and sums of 24 situations' squares that fit in 32.
constexpr int kCompactLimit = 3000;

// One player's x and y in every situation, and the 3 x 3 cell they fall in.
struct PlayerTrack {
    int16_t fine[kCoordinates];
    int16_t cell[kCoordinates];
};

// The same values as Formation_X and Formation_Y, read in one sweep: a
// player's 24 entries follow one another in the order ball state, zone
// column, zone row, each an x and a y.
void ReadTrack(const Formation* formation, int player, PlayerTrack* track)
{
    // A copy of the bytes first: the record's bytes may alias anything, the
    // copy does not, so the loops below can work on many values at once.
    uint8_t entries[2 * kCoordinates];
    std::memcpy(entries, formation->bytes + Formation_EntryOffset(player, 0, 0, 0), sizeof entries);
    for (int i = 0; i < kCoordinates; ++i)
        track->fine[i] = static_cast<int16_t>(Formation_ReadInt16(entries + 2 * i));
    for (int i = 0; i < kCoordinates; ++i)
        track->cell[i] = static_cast<int16_t>(track->fine[i] / kCellSize); // truncates toward zero
}

bool IsCompact(const PlayerTrack& track)
{
    int outside = 0;
    for (int16_t v : track.fine)
        outside |= (v < -kCompactLimit) | (v > kCompactLimit);
    return outside == 0;
}

// The pairing cost counted in halves, for any coordinates. The squares are
// formed in 64 bits: a difference of 16-bit coordinates squared does not fit
// in 32.
int64_t PairCostInHalves(const PlayerTrack& a, const PlayerTrack& b)
{
    int64_t fine = 0;
    int64_t cell = 0;
    for (int i = 0; i < kCoordinates; ++i) {
        int64_t d = a.fine[i] - b.fine[i];
        int64_t e = a.cell[i] - b.cell[i];
        fine += d * d;
        cell += e * e;
    }
    return kCellWeightInHalves * cell + kFineWeightInHalves * fine;
}

// The same for two compact tracks, in 16-bit differences and 32-bit sums,
// which the compiler turns into wide vector operations.
int64_t CompactPairCostInHalves(const PlayerTrack& a, const PlayerTrack& b)
{
    int32_t fine = 0;
    for (int i = 0; i < kCoordinates; ++i) {
        auto d = static_cast<int16_t>(a.fine[i] - b.fine[i]);
        fine += d * d;
    }
    int32_t cell = 0;
    for (int i = 0; i < kCoordinates; ++i) {
        auto e = static_cast<int16_t>(a.cell[i] - b.cell[i]);
        cell += e * e;
    }
    return kCellWeightInHalves * cell + kFineWeightInHalves * fine;
}

double HalvesToCost(int64_t halves)
{
    return static_cast<double>(halves) * 0.5; // exact: below 2^40
}

} // namespace

double Formation_MatchCost(const Formation* a, int player_a, const Formation* b, int player_b)
{
    PlayerTrack track_a;
    PlayerTrack track_b;
    ReadTrack(a, player_a, &track_a);
    ReadTrack(b, player_b, &track_b);
    return HalvesToCost(PairCostInHalves(track_a, track_b));
}

void Formation_MatchCosts(const Formation* a, const Formation* b,
                          double costs[kFormationPlayers][kFormationPlayers])
{
    PlayerTrack tracks_a[kFormationPlayers];
    PlayerTrack tracks_b[kFormationPlayers];
    bool compact = true;
    for (int p = 0; p < kFormationPlayers; ++p) {
        ReadTrack(a, p, &tracks_a[p]);
        ReadTrack(b, p, &tracks_b[p]);
        compact &= IsCompact(tracks_a[p]) && IsCompact(tracks_b[p]);
    }
    for (int i = 0; i < kFormationPlayers; ++i) {
        for (int j = 0; j < kFormationPlayers; ++j) {
            int64_t halves = compact ? CompactPairCostInHalves(tracks_a[i], tracks_b[j])
                                     : PairCostInHalves(tracks_a[i], tracks_b[j]);
            costs[i][j] = HalvesToCost(halves);
        }
    }
}

int32_t* Formation_MatchPlayers(const Formation* a, const Formation* b)
{
    int32_t* match = IntVector_Alloc(kFormationPlayers);
    for (int i = 0; i < kFormationPlayers; ++i)
        match[i] = i;
    if (!a || !b || a == b)
        return match;

    double costs[kFormationPlayers][kFormationPlayers];
    Formation_MatchCosts(a, b, costs);
    AssignmentSolver* solver = AssignmentSolver_Create(kFormationPlayers, kFormationPlayers);
    for (int i = 0; i < kFormationPlayers; ++i)
        for (int j = 0; j < kFormationPlayers; ++j)
            AssignmentSolver_SetCost(solver, i, j, costs[i][j]);
    AssignmentSolver_Solve(solver, false);
    for (int i = 0; i < kFormationPlayers; ++i)
        match[i] = AssignmentSolver_GetColumn(solver, i);
    AssignmentSolver_Destroy(solver);
    return match;
}
