// A tactic's formation: the first 1476 bytes of the game's tactic file
// (".tct"), of which the position block is read: 11 players x 2 ball states
// x 3 zone columns x 4 zone rows, each a little-endian signed 16-bit x and y.
#pragma once

#include <cstdint>

constexpr int kFormationBytes = 1476;
constexpr int kFormationPlayers = 11;
constexpr int kFormationBallStates = 2;
constexpr int kFormationZoneColumns = 3;
constexpr int kFormationZoneRows = 4;

struct Formation {
    uint8_t bytes[kFormationBytes];
};

// Reads the first 1476 bytes of the file at path; null when the file cannot
// be opened or is shorter.
Formation* Formation_Load(const char* path);

// A new record of 1476 uninitialised bytes.
Formation* Formation_Create();

// Releases the record; null is ignored.
void Formation_Destroy(Formation* formation);

// The position of a player (0-10) in a situation: ball state 0 (without the
// ball) or 1 (with it), zone column 0-2, zone row 0-3. x runs across the
// pitch (0-26), y along it (0-35, 0 at the bottom). Indices are not checked.
int Formation_X(const Formation* formation, int player, int ball_state, int zone_column, int zone_row);
int Formation_Y(const Formation* formation, int player, int ball_state, int zone_column, int zone_row);

// The byte offset of a position's x in the file (its y follows at + 2).
int Formation_EntryOffset(int player, int ball_state, int zone_column, int zone_row);

// The signed 16-bit little-endian value whose first byte is at p, read
// bytewise: the same on every host, and the entries are not aligned.
inline int Formation_ReadInt16(const uint8_t* p)
{
    auto bits = static_cast<uint16_t>(p[0] | (p[1] << 8));
    return static_cast<int16_t>(bits);
}
