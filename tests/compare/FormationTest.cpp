#include "compare/Formation.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(std::size_t n, char fill = '\0')
{
    return std::string(n, fill);
}

void Put16(std::string& bytes, int offset, uint16_t value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

} // namespace

TEST(Formation, LoadNeedsTheWholeBlock)
{
    TempDir dir;
    Formation* exact = Formation_Load(dir.Write("exact.tct", Bytes(1476)).c_str());
    EXPECT_NE(exact, nullptr) << "1476 bytes load";
    Formation* shorter = Formation_Load(dir.Write("short.tct", Bytes(1475)).c_str());
    EXPECT_EQ(shorter, nullptr) << "1475 bytes do not";
    Formation* empty = Formation_Load(dir.Write("empty.tct", "").c_str());
    EXPECT_EQ(empty, nullptr);
    Formation* missing = Formation_Load(dir.File("missing.tct").c_str());
    EXPECT_EQ(missing, nullptr);
    Formation_Destroy(exact);
    Formation_Destroy(nullptr);
}

TEST(Formation, LongerFileLoadsItsFirstBytes)
{
    std::string bytes = Bytes(2000, '\x7f');
    Put16(bytes, 1365, 0x0102); // last entry's x
    TempDir dir;
    Formation* f = Formation_Load(dir.Write("long.tct", bytes).c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Formation_X(f, 10, 1, 2, 3), 0x0102);
    EXPECT_EQ(Formation_Y(f, 10, 1, 2, 3), 0x7f7f);
    Formation_Destroy(f);
}

TEST(Formation, EntryOffsets)
{
    EXPECT_EQ(Formation_EntryOffset(0, 0, 0, 0), 313);
    EXPECT_EQ(Formation_EntryOffset(1, 0, 0, 0), 409);
    EXPECT_EQ(Formation_EntryOffset(0, 1, 2, 3), 405);
    EXPECT_EQ(Formation_EntryOffset(10, 1, 2, 3), 1365);
}

TEST(Formation, ReadsSignedLittleEndianAtOddOffsets)
{
    std::string bytes = Bytes(1476);
    Put16(bytes, 409, 0xFFFF);  // player 1, x
    Put16(bytes, 411, 0x8000);  // player 1, y
    Put16(bytes, 405, 0x0123);  // player 0, ball 1, column 2, row 3: x
    Put16(bytes, 407, 0x7FFF);  // and y
    TempDir dir;
    Formation* f = Formation_Load(dir.Write("signed.tct", bytes).c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Formation_X(f, 1, 0, 0, 0), -1) << "0xFFFF is -1, not 65535";
    EXPECT_EQ(Formation_Y(f, 1, 0, 0, 0), -32768);
    EXPECT_EQ(Formation_X(f, 0, 1, 2, 3), 0x0123);
    EXPECT_EQ(Formation_Y(f, 0, 1, 2, 3), 32767);
    EXPECT_EQ(Formation_X(f, 0, 0, 0, 0), 0);
    Formation_Destroy(f);
}
