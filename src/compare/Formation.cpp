#include "compare/Formation.h"

#include "support/FilePath.h"
#include "support/Memory.h"
#include "support/Str.h"

#include <cstdio>

namespace {

constexpr int kPositionBlock = 313;
constexpr int kPlayerStride = 96;
constexpr int kBallStateStride = 48;
constexpr int kZoneColumnStride = 16;
constexpr int kZoneRowStride = 4;

} // namespace

int Formation_EntryOffset(int player, int ball_state, int zone_column, int zone_row)
{
    return kPositionBlock + kPlayerStride * player + kBallStateStride * ball_state +
           kZoneColumnStride * zone_column + kZoneRowStride * zone_row;
}

Formation* Formation_Create()
{
    return static_cast<Formation*>(Mem_Alloc(sizeof(Formation)));
}

void Formation_Destroy(Formation* formation)
{
    Mem_Free(formation);
}

Formation* Formation_Load(const char* path)
{
    std::FILE* file = File_Open(path, "rb");
    if (!file)
        return nullptr;
    Formation* formation = Formation_Create();
    std::size_t got = std::fread(formation->bytes, 1, kFormationBytes, file);
    File_Close(file);
    if (got < static_cast<std::size_t>(kFormationBytes)) {
        Formation_Destroy(formation);
        return nullptr;
    }
    return formation;
}

int Formation_X(const Formation* formation, int player, int ball_state, int zone_column, int zone_row)
{
    return Formation_ReadInt16(formation->bytes + Formation_EntryOffset(player, ball_state, zone_column, zone_row));
}

int Formation_Y(const Formation* formation, int player, int ball_state, int zone_column, int zone_row)
{
    return Formation_ReadInt16(formation->bytes + Formation_EntryOffset(player, ball_state, zone_column, zone_row) + 2);
}
