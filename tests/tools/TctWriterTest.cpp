#include "tctwriter/TctWriter.h"

#include "compare/Formation.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kBlockStart = 313;
constexpr int kBlockEnd = 313 + 11 * 96; // first byte after the position block

// Every position different, with negative values among them.
TctBuilder Distinct()
{
    TctBuilder b;
    for (int p = 0; p < 11; ++p)
        for (int s = 0; s < 2; ++s)
            for (int c = 0; c < 3; ++c)
                for (int r = 0; r < 4; ++r)
                    b.Set(p, s, c, r, p * 100 + s * 10 + c - 500, r * 1000 - p - 1500);
    return b;
}

using Lines = std::vector<std::string>;

Lines Split(const std::string& text)
{
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Join(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string Trimmed(const std::string& line)
{
    std::size_t start = line.find_first_not_of(" \t");
    return start == std::string::npos ? "" : line.substr(start);
}

// Index of the first line at or after from whose text (leading blanks
// ignored) starts with prefix; throws when there is none.
int Find(const Lines& lines, const std::string& prefix, int from = 0)
{
    for (int i = from; i < static_cast<int>(lines.size()); ++i) {
        if (Trimmed(lines[i]).rfind(prefix, 0) == 0)
            return i;
    }
    throw std::logic_error("no line starts with " + prefix);
}

// Indices of a player's line, a ball state's line and a row's line in the
// description written by TctWriter_Format (no labels: "player N" exactly).
int PlayerAt(const Lines& lines, int p)
{
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (lines[i] == "player " + std::to_string(p))
            return i;
    }
    throw std::logic_error("no player line");
}

int BallAt(const Lines& lines, int p, int s)
{
    return Find(lines, s == 0 ? "without ball" : "with ball", PlayerAt(lines, p));
}

int RowAt(const Lines& lines, int p, int s, int r)
{
    return Find(lines, "row " + std::to_string(r) + ":", BallAt(lines, p, s));
}

const std::string& BaseText()
{
    static const std::string text = Distinct().Text();
    return text;
}

// Appended to the last line by a case: the text then ends there, without a line feed.
constexpr const char* kNoFinalLineFeed = "<no final line feed>";

struct ParseCase {
    const char* name;
    // Edits the lines of a valid description. For error cases returns the
    // 1-based line the error must name.
    std::function<int(Lines&)> edit;
    const char* message; // null: the edited description is valid
};

const ParseCase kParseCases[] = {
    // Valid variations: all give the same bytes as the plain description.
    {"plain", [](Lines&) { return 0; }, nullptr},
    {"comments, blank lines and labels",
     [](Lines& l) {
         l.insert(l.begin(), "# a comment");
         l.insert(l.begin() + 1, "");
         l[PlayerAt(l, 3)] += "  LB  left back # and a comment";
         l[RowAt(l, 4, 1, 2)] += "   # right after a row";
         l.insert(l.begin() + BallAt(l, 5, 0), "   \t  ");
         return 0;
     },
     nullptr},
    {"CR LF line ends",
     [](Lines& l) {
         for (std::string& line : l)
             line += "\r";
         return 0;
     },
     nullptr},
    {"tabs, blanks around commas, no colon, plus signs",
     [](Lines& l) {
         std::string row = l[RowAt(l, 2, 0, 1)]; // "  row 1:    x,y ..."
         std::string spaced;
         for (char c : row)
             spaced += c == ',' ? std::string(" , ") : std::string(1, c);
         l[RowAt(l, 2, 0, 1)] = "\t" + Trimmed(spaced);
         std::size_t colon = l[RowAt(l, 2, 1, 1)].find(':');
         l[RowAt(l, 2, 1, 1)].erase(colon, 1);
         l[PlayerAt(l, 7)] = "\tplayer +7";
         return 0;
     },
     nullptr},
    {"rows, ball states and players in any order",
     [](Lines& l) {
         // Rows of player 1 without ball from 0 up; player 2 with ball first.
         int first = RowAt(l, 1, 0, 3);
         std::swap(l[first], l[first + 3]);
         std::swap(l[first + 1], l[first + 2]);
         int without = BallAt(l, 2, 0);
         Lines block(l.begin() + without, l.begin() + without + 5);
         l.erase(l.begin() + without, l.begin() + without + 5);
         l.insert(l.begin() + BallAt(l, 2, 1) + 5, block.begin(), block.end());
         // Player 10 first.
         int last = PlayerAt(l, 10);
         Lines player(l.begin() + last, l.end());
         l.erase(l.begin() + last, l.end());
         l.insert(l.begin(), player.begin(), player.end());
         return 0;
     },
     nullptr},
    {"no line end after the last line",
     [](Lines& l) {
         l.back() += kNoFinalLineFeed;
         return 0;
     },
     nullptr},

    // Errors.
    {"unknown keyword",
     [](Lines& l) {
         int i = PlayerAt(l, 3);
         l[i] = "plyer 3";
         return i + 1;
     },
     "unknown keyword \"plyer\""},
    {"keywords are lower case",
     [](Lines& l) {
         int i = RowAt(l, 3, 0, 2);
         l[i] = "  Row 2: 1,1 2,2 3,3";
         return i + 1;
     },
     "unknown keyword \"Row\""},
    {"ball without ball",
     [](Lines& l) {
         int i = BallAt(l, 4, 1);
         l[i] = "with bal";
         return i + 1;
     },
     "expected \"with ball\", got \"with bal\""},
    {"text after a ball state",
     [](Lines& l) {
         int i = BallAt(l, 4, 0);
         l[i] += " now";
         return i + 1;
     },
     "unexpected \"now\" after \"without ball\""},
    {"x above 32767",
     [](Lines& l) {
         int i = RowAt(l, 5, 0, 2);
         l[i] = "  row 2: 32768,0 1,1 2,2";
         return i + 1;
     },
     "x 32768 of zone column 0 in row 2 is outside -32768..32767"},
    {"y below -32768",
     [](Lines& l) {
         int i = RowAt(l, 5, 1, 0);
         l[i] = "  row 0: 0,0 1,-32769 2,2";
         return i + 1;
     },
     "y -32769 of zone column 1 in row 0 is outside -32768..32767"},
    {"a number of many digits",
     [](Lines& l) {
         int i = RowAt(l, 5, 1, 3);
         l[i] = "  row 3: 0,0 1,1 99999999999999999999,2";
         return i + 1;
     },
     "x 99999999999999999999 of zone column 2 in row 3 is outside"},
    {"two positions in a row",
     [](Lines& l) {
         int i = RowAt(l, 6, 0, 1);
         l[i] = "  row 1: 0,0 1,1";
         return i + 1;
     },
     "row 1 has 2 positions; it needs 3"},
    {"four positions in a row",
     [](Lines& l) {
         int i = RowAt(l, 6, 0, 1);
         l[i] = "  row 1: 0,0 1,1 2,2 3,3";
         return i + 1;
     },
     "row 1 has more than 3 positions (unexpected \"3,3\")"},
    {"semicolon for comma",
     [](Lines& l) {
         int i = RowAt(l, 6, 0, 3);
         l[i] = "  row 3: 12;3 1,1 2,2";
         return i + 1;
     },
     "expected a number for x of zone column 0 in row 3, got \"12;3\""},
    {"blank for comma",
     [](Lines& l) {
         int i = RowAt(l, 6, 0, 3);
         l[i] = "  row 3: 1,1 12 3 2,2";
         return i + 1;
     },
     "expected \",\" between x and y of zone column 1, got \"3\""},
    {"missing y",
     [](Lines& l) {
         int i = RowAt(l, 6, 0, 3);
         l[i] = "  row 3: 1,1 2,2 3,";
         return i + 1;
     },
     "expected a number for y of zone column 2 in row 3, got \"\""},
    {"letters for numbers",
     [](Lines& l) {
         int i = RowAt(l, 6, 0, 3);
         l[i] = "  row 3: a,b 1,1 2,2";
         return i + 1;
     },
     "expected a number for x of zone column 0 in row 3, got \"a,b\""},
    {"missing row, named at its ball state",
     [](Lines& l) {
         l.erase(l.begin() + RowAt(l, 4, 1, 2));
         return BallAt(l, 4, 1) + 1;
     },
     "player 4, with ball: row 2 is missing"},
    {"missing row in the last block",
     [](Lines& l) {
         l.erase(l.begin() + RowAt(l, 10, 1, 0));
         return BallAt(l, 10, 1) + 1;
     },
     "player 10, with ball: row 0 is missing"},
    {"missing ball state, named at its player",
     [](Lines& l) {
         int i = BallAt(l, 5, 0);
         l.erase(l.begin() + i, l.begin() + i + 5);
         return PlayerAt(l, 5) + 1;
     },
     "player 5: \"without ball\" is missing"},
    {"missing player, named at the end",
     [](Lines& l) {
         l.erase(l.begin() + PlayerAt(l, 10) - 1, l.end());
         return static_cast<int>(l.size());
     },
     "end of input, but player 10 is missing"},
    {"empty input",
     [](Lines& l) {
         l.clear();
         return 1;
     },
     "end of input, but player 0 is missing"},
    {"only comments",
     [](Lines& l) {
         l = {"# nothing", "", "# here"};
         return 3;
     },
     "end of input, but player 0 is missing"},
    {"row given twice",
     [](Lines& l) {
         int i = RowAt(l, 2, 0, 1);
         l.insert(l.begin() + i + 1, l[i]);
         return i + 2;
     },
     "player 2, without ball: row 1 is given twice (first on line"},
    {"ball state given twice",
     [](Lines& l) {
         int i = BallAt(l, 6, 1);
         l[i] = "without ball";
         return i + 1;
     },
     "player 6: \"without ball\" is given twice (first on line"},
    {"player given twice",
     [](Lines& l) {
         int i = PlayerAt(l, 7);
         l[i] = "player 6";
         return i + 1;
     },
     "player 6 is given twice (first on line"},
    {"player number 11",
     [](Lines& l) {
         int i = PlayerAt(l, 7);
         l[i] = "player 11";
         return i + 1;
     },
     "player number 11 is outside 0-10"},
    {"player without number",
     [](Lines& l) {
         int i = PlayerAt(l, 7);
         l[i] = "player";
         return i + 1;
     },
     "\"player\" needs a player number 0-10"},
    {"a position without row",
     [](Lines& l) {
         int i = RowAt(l, 8, 1, 1);
         l[i] = "  12,3 13,3 14,3";
         return i + 1;
     },
     "unknown keyword \"12,3\""},
    {"player number glued to text",
     [](Lines& l) {
         int i = PlayerAt(l, 7);
         l[i] = "player 7b";
         return i + 1;
     },
     "\"player\" needs a player number 0-10"},
    {"zone row 4",
     [](Lines& l) {
         int i = RowAt(l, 8, 0, 0);
         l[i] = "  row 4: 1,1 2,2 3,3";
         return i + 1;
     },
     "zone row 4 is outside 0-3"},
    {"row without number",
     [](Lines& l) {
         int i = RowAt(l, 8, 0, 0);
         l[i] = "  row: 1,1 2,2 3,3";
         return i + 1;
     },
     "\"row\" needs a zone row number 0-3"},
    {"row before a ball state",
     [](Lines& l) {
         l.insert(l.begin() + 1, "  row 0: 1,1 2,2 3,3");
         return 2;
     },
     "\"row\" comes before \"without ball\" or \"with ball\""},
    {"ball state before any player",
     [](Lines& l) {
         l.insert(l.begin(), "with ball");
         return 1;
     },
     "\"with ball\" comes before any \"player\" line"},
    {"the first error counts",
     [](Lines& l) {
         int i = RowAt(l, 1, 0, 2);
         l[i] = "  row 2: 1,1";
         l[PlayerAt(l, 9)] = "nonsense";
         return i + 1;
     },
     "row 2 has 1 positions"},
};

class TctParse : public testing::TestWithParam<ParseCase> {};

TEST_P(TctParse, Case)
{
    const ParseCase& c = GetParam();
    Lines lines = Split(BaseText());
    int line = c.edit(lines);
    std::string text = Join(lines);
    std::size_t mark = text.find(kNoFinalLineFeed);
    if (mark != std::string::npos)
        text.erase(mark);
    std::string bytes = "untouched";
    TctParseError error;
    bool ok = TctWriter_Parse(text, &bytes, &error);
    if (!c.message) {
        ASSERT_TRUE(ok) << TctParseError_Text(error);
        EXPECT_EQ(bytes, Distinct().Bytes()) << "the same positions as the plain description";
        return;
    }
    ASSERT_FALSE(ok) << "expected: " << c.message;
    EXPECT_EQ(error.line, line) << error.message;
    EXPECT_NE(error.message.find(c.message), std::string::npos)
        << "expected \"" << c.message << "\", got \"" << error.message << "\"";
    EXPECT_EQ(bytes, "untouched") << "the output is left alone on errors";
}

INSTANTIATE_TEST_SUITE_P(Table, TctParse, testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(TctParse, ErrorText)
{
    TctParseError error{12, "row 2 is missing"};
    EXPECT_EQ(TctParseError_Text(error), "line 12: row 2 is missing");
}

TEST(TctParse, OnlyThePositionBlockIsFilled)
{
    // Every coordinate -1: all bytes of the block 0xFF, all others zero.
    TctBuilder b;
    for (int p = 0; p < 11; ++p)
        b.SetAll(p, -1, -1);
    std::string bytes;
    TctParseError error;
    ASSERT_TRUE(TctWriter_Parse(b.Text(), &bytes, &error)) << TctParseError_Text(error);
    ASSERT_EQ(bytes.size(), 1476u);
    for (int i = 0; i < 1476; ++i) {
        bool inside = i >= kBlockStart && i < kBlockEnd;
        ASSERT_EQ(static_cast<uint8_t>(bytes[i]), inside ? 0xFF : 0x00) << "byte " << i;
    }
}

TEST(TctParse, FormatAndParseRoundTripOverTheWholeRange)
{
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>(static_cast<int16_t>(state >> 16));
    };
    for (int round = 0; round < 3; ++round) {
        TctBuilder b;
        for (int p = 0; p < 11; ++p)
            for (int s = 0; s < 2; ++s)
                for (int c = 0; c < 3; ++c)
                    for (int r = 0; r < 4; ++r)
                        b.Set(p, s, c, r, next(), next());
        b.Set(round, 0, 0, 0, -32768, 32767).Set(10 - round, 1, 2, 3, 32767, -32768);
        std::string bytes;
        TctParseError error;
        ASSERT_TRUE(TctWriter_Parse(b.Text(), &bytes, &error)) << TctParseError_Text(error);
        EXPECT_EQ(bytes, b.Bytes()) << "round " << round;
    }
}

TEST(TctParse, FormatWritesLabelsAndComment)
{
    std::string text = TctWriter_Format(Distinct().Bytes(), {"GK", "", "LCB"}, "Test tactic\n\nsecond line");
    EXPECT_EQ(text.rfind("# Test tactic\n#\n# second line\n\nplayer 0  GK\n", 0), 0u) << text.substr(0, 80);
    EXPECT_NE(text.find("\nplayer 1\n"), std::string::npos) << "an empty label is left out";
    EXPECT_NE(text.find("\nplayer 2  LCB\n"), std::string::npos);
    std::string bytes;
    TctParseError error;
    ASSERT_TRUE(TctWriter_Parse(text, &bytes, &error)) << TctParseError_Text(error);
    EXPECT_EQ(bytes, Distinct().Bytes());
}

TEST(TctParse, FormatLaysRowsOutLikeThePitch)
{
    TctBuilder b;
    b.Set(0, 0, 0, 3, 12, 3).Set(0, 0, 1, 3, 13, 3).Set(0, 0, 2, 3, -32768, 32767);
    b.Set(0, 0, 0, 0, 1, 2);
    Lines lines = Split(b.Text());
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "player 0");
    EXPECT_EQ(lines[1], "without ball");
    EXPECT_EQ(lines[2], "  row 3:    12,3    13,3 -32768,32767") << "row 3 first, columns 0 1 2";
    EXPECT_EQ(lines[5], "  row 0:     1,2     0,0     0,0");
}

TEST(TctParse, FormatNeedsTheWholeBlock)
{
    EXPECT_THROW(TctWriter_Format(std::string(1475, '\0')), std::out_of_range);
}

TEST(TctBuilder, StartsWithZeroBytes)
{
    TctBuilder b;
    EXPECT_EQ(b.Bytes(), std::string(1476, '\0'));
}

TEST(TctBuilder, SetWritesLittleEndianAtTheEntryOffset)
{
    TctBuilder b;
    b.Set(1, 0, 0, 0, 0x0102, -2); // x at 409, y at 411
    const std::string& bytes = b.Bytes();
    EXPECT_EQ(static_cast<uint8_t>(bytes[409]), 0x02);
    EXPECT_EQ(static_cast<uint8_t>(bytes[410]), 0x01);
    EXPECT_EQ(static_cast<uint8_t>(bytes[411]), 0xFE);
    EXPECT_EQ(static_cast<uint8_t>(bytes[412]), 0xFF);
    EXPECT_EQ(b.X(1, 0, 0, 0), 0x0102);
    EXPECT_EQ(b.Y(1, 0, 0, 0), -2);
    EXPECT_EQ(bytes.find_first_not_of('\0', 413), std::string::npos) << "nothing else written";
}

TEST(TctBuilder, SetAllFillsEverySituationOfOnePlayer)
{
    TctBuilder b;
    b.SetAll(4, 7, -9);
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 4; ++r) {
                EXPECT_EQ(b.X(4, s, c, r), 7) << s << c << r;
                EXPECT_EQ(b.Y(4, s, c, r), -9) << s << c << r;
            }
    EXPECT_EQ(b.X(3, 1, 2, 3), 0) << "the player before is untouched";
    EXPECT_EQ(b.X(5, 0, 0, 0), 0) << "the player after is untouched";
}

TEST(TctBuilder, RejectsIndicesAndValuesOutOfRange)
{
    TctBuilder b;
    EXPECT_THROW(b.Set(11, 0, 0, 0, 0, 0), std::out_of_range);
    EXPECT_THROW(b.Set(-1, 0, 0, 0, 0, 0), std::out_of_range);
    EXPECT_THROW(b.Set(0, 2, 0, 0, 0, 0), std::out_of_range);
    EXPECT_THROW(b.Set(0, 0, 3, 0, 0, 0), std::out_of_range);
    EXPECT_THROW(b.Set(0, 0, 0, 4, 0, 0), std::out_of_range);
    EXPECT_THROW(b.Set(0, 0, 0, 0, 32768, 0), std::out_of_range);
    EXPECT_THROW(b.Set(0, 0, 0, 0, 0, -32769), std::out_of_range);
    EXPECT_THROW(b.X(0, 0, 0, -1), std::out_of_range);
    EXPECT_NO_THROW(b.Set(0, 0, 0, 0, -32768, 32767));
    EXPECT_EQ(b.Bytes().size(), 1476u);
}

// The file as the program reads it: through Formation_Load and its accessors.
TEST(TctFile, RoundTripThroughFormationLoad)
{
    struct Entry {
        int p, s, c, r, x, y;
    };
    const Entry entries[] = {
        {0, 0, 0, 0, -32768, 32767}, // first entry, at the odd offset 313
        {10, 1, 2, 3, 32767, -32768}, // last entry, its y at 1367-1368
        {0, 1, 2, 3, -1, 0},
        {1, 0, 0, 0, 26, 35},
        {5, 1, 1, 2, -300, 300},
        {7, 0, 2, 1, 255, 256},
    };
    TctBuilder b = Distinct();
    for (const Entry& e : entries)
        b.Set(e.p, e.s, e.c, e.r, e.x, e.y);

    std::string bytes;
    TctParseError error;
    ASSERT_TRUE(TctWriter_Parse(b.Text(), &bytes, &error)) << TctParseError_Text(error);
    TempDir dir;
    std::string path = dir.File("round.tct");
    std::string message;
    ASSERT_TRUE(TctWriter_WriteFile(path.c_str(), bytes, &message)) << message;
    EXPECT_EQ(ReadBytes(path).size(), 1476u) << "file size";

    Formation* f = Formation_Load(path.c_str());
    ASSERT_NE(f, nullptr);
    for (const Entry& e : entries) {
        EXPECT_EQ(Formation_X(f, e.p, e.s, e.c, e.r), e.x) << e.p << "/" << e.s << "/" << e.c << "/" << e.r;
        EXPECT_EQ(Formation_Y(f, e.p, e.s, e.c, e.r), e.y) << e.p << "/" << e.s << "/" << e.c << "/" << e.r;
    }
    int mismatches = 0;
    for (int p = 0; p < 11; ++p)
        for (int s = 0; s < 2; ++s)
            for (int c = 0; c < 3; ++c)
                for (int r = 0; r < 4; ++r)
                    if (Formation_X(f, p, s, c, r) != b.X(p, s, c, r) || Formation_Y(f, p, s, c, r) != b.Y(p, s, c, r))
                        ++mismatches;
    EXPECT_EQ(mismatches, 0) << "positions that read back differently";
    int set_outside = 0;
    for (int i = 0; i < 1476; ++i) {
        if ((i < kBlockStart || i >= kBlockEnd) && f->bytes[i] != 0)
            ++set_outside;
    }
    EXPECT_EQ(set_outside, 0) << "non-zero bytes outside the position block";
    Formation_Destroy(f);
}

TEST(TctFile, WriteReplacesALongerFile)
{
    TempDir dir;
    std::string path = dir.Write("old.tct", std::string(2000, 'x'));
    std::string message;
    ASSERT_TRUE(TctWriter_WriteFile(path.c_str(), Distinct().Bytes(), &message)) << message;
    EXPECT_EQ(ReadBytes(path), Distinct().Bytes());
}

TEST(TctFile, WriteIntoAMissingFolderFails)
{
    TempDir dir;
    std::string path = dir.File("no-such-folder/out.tct");
    std::string message;
    EXPECT_FALSE(TctWriter_WriteFile(path.c_str(), Distinct().Bytes(), &message));
    EXPECT_NE(message.find("cannot create"), std::string::npos) << message;
    EXPECT_NE(message.find("out.tct"), std::string::npos) << message;
}

TEST(TctFile, ReadFile)
{
    TempDir dir;
    std::string text;
    std::string message;
    ASSERT_TRUE(TctWriter_ReadFile(dir.Write("a.txt", "player 0\r\n").c_str(), &text, &message)) << message;
    EXPECT_EQ(text, "player 0\r\n") << "read as it is, in binary";

    text = "untouched";
    EXPECT_FALSE(TctWriter_ReadFile(dir.File("missing.txt").c_str(), &text, &message));
    EXPECT_NE(message.find("cannot open"), std::string::npos) << message;
    EXPECT_EQ(text, "untouched");

    EXPECT_FALSE(TctWriter_ReadFile(dir.Write("big.txt", std::string(1024 * 1024 + 1, '#')).c_str(), &text, &message));
    EXPECT_NE(message.find("larger than 1 MiB"), std::string::npos) << message;
    EXPECT_TRUE(TctWriter_ReadFile(dir.Write("limit.txt", std::string(1024 * 1024, '#')).c_str(), &text, &message))
        << "exactly 1 MiB is accepted: " << message;
}

} // namespace
