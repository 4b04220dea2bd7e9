#include "compare/Formation.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Files of at least 1476 bytes load (the first 1476 count); entries are signed, little-endian, at odd offsets.
TEST(Formation, LoadsAndReadsEntries)
{
    std::string bytes(2000, '\x7f');
    bytes.replace(409, 4, "\xff\xff\x00\x80", 4); // player 1: x -1 (not 65535), y -32768
    bytes.replace(405, 4, "\x23\x01\xff\x7f", 4); // player 0, ball state 1, zone column 2, zone row 3
    bytes.replace(1365, 2, "\x02\x01", 2);        // player 10, ball state 1, zone column 2, zone row 3
    TempDir dir;
    EXPECT_EQ(Formation_Load(dir.File("missing.tct").c_str()), nullptr) << "a missing file";
    for (std::size_t size : {0, 1475, 1476, 2000}) {
        Formation* f = Formation_Load(dir.Write("f.tct", bytes.substr(0, size)).c_str());
        ASSERT_EQ(f != nullptr, size >= 1476) << size << " bytes";
        if (f) {
            EXPECT_EQ((std::vector{Formation_X(f, 1, 0, 0, 0), Formation_Y(f, 1, 0, 0, 0), Formation_X(f, 0, 1, 2, 3),
                                   Formation_Y(f, 0, 1, 2, 3), Formation_X(f, 10, 1, 2, 3),
                                   Formation_Y(f, 10, 1, 2, 3)}),
                      (std::vector{-1, -32768, 0x123, 32767, 0x102, 0x7f7f})) << size << " bytes";
        }
        Formation_Destroy(f);
    }
}
