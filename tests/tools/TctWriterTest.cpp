#include "tctwriter/TctWriter.h"

#include "compare/Formation.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kBlockStart = 313;
constexpr int kBlockEnd = 313 + 11 * 96; // first byte after the position block

// Every position different, with negative values and both 16-bit extremes among them.
TctBuilder Distinct()
{
    TctBuilder b;
    for (int p = 0; p < 11; ++p)
        for (int s = 0; s < 2; ++s)
            for (int c = 0; c < 3; ++c)
                for (int r = 0; r < 4; ++r)
                    b.Set(p, s, c, r, p * 100 + s * 10 + c - 500, r * 1000 - p - 1500);
    b.Set(0, 0, 0, 0, -32768, 32767);  // the first entry, at the odd offset 313
    b.Set(10, 1, 2, 3, 32767, -32768); // the last entry
    return b;
}

using Lines = std::vector<std::string>;

Lines Split(const std::string& text)
{
    Lines lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Index of the first line at or after from whose text (leading blanks
// ignored) starts with prefix; throws when there is none.
int Find(const Lines& lines, const std::string& prefix, int from = 0)
{
    for (int i = from; i < static_cast<int>(lines.size()); ++i) {
        std::size_t start = lines[i].find_first_not_of(" \t");
        if (start != std::string::npos && lines[i].compare(start, prefix.size(), prefix) == 0)
            return i;
    }
    throw std::logic_error("no line starts with " + prefix);
}

// Indices of a player's line, a ball state's line and a row's line in the
// description written by TctWriter_Format (no labels: "player N" exactly).
int PlayerAt(const Lines& l, int p)
{
    for (int i = 0; i < static_cast<int>(l.size()); ++i)
        if (l[i] == "player " + std::to_string(p))
            return i;
    throw std::logic_error("no player line");
}
int BallAt(const Lines& l, int p, int s)
{
    return Find(l, s == 0 ? "without ball" : "with ball", PlayerAt(l, p));
}
int RowAt(const Lines& l, int p, int s, int r)
{
    return Find(l, "row " + std::to_string(r) + ":", BallAt(l, p, s));
}

// Replaces line i and gives the 1-based number of that line.
int Replace(Lines& l, int i, const std::string& text)
{
    l[i] = text;
    return i + 1;
}

struct ParseCase {
    const char* name;
    // Edits the lines of a valid description; for error cases gives the
    // 1-based line the error must name. The edited lines are joined with
    // line feeds, one after each line unless noFinalLineFeed.
    std::function<int(Lines&)> edit;
    const char* message; // null: the edited description is valid and gives the same bytes
    bool noFinalLineFeed = false;
};

const ParseCase kParseCases[] = {
    {"plain", [](Lines&) { return 0; }, nullptr},
    {"comments, blank lines and labels",
     [](Lines& l) {
         l.insert(l.begin(), {"# a comment", "", "   \t  "});
         l[PlayerAt(l, 3)] += "  LB  left back # and a comment";
         l[RowAt(l, 4, 1, 2)] += "   # right after a row";
         return 0;
     },
     nullptr},
    {"labels and comment written by Format",
     [](Lines& l) {
         l = Split(TctWriter_Format(Distinct().Bytes(), {"GK", "", "LCB"}, "Test\n\nsecond line"));
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
    {"tabs, blanks around commas, no colon, plus sign",
     [](Lines& l) {
         std::string row = l[RowAt(l, 2, 0, 1)].substr(l[RowAt(l, 2, 0, 1)].find("row"));
         for (std::size_t at = 0; (at = row.find(',', at)) != std::string::npos; at += 3)
             row.replace(at, 1, " , ");
         l[RowAt(l, 2, 0, 1)] = "\t" + row;
         l[RowAt(l, 2, 1, 1)].erase(l[RowAt(l, 2, 1, 1)].find(':'), 1);
         l[PlayerAt(l, 7)] = "\tplayer +7";
         return 0;
     },
     nullptr},
    {"rows and players in any order",
     [](Lines& l) {
         int first = RowAt(l, 1, 0, 3);
         std::swap(l[first], l[first + 3]);
         int last = PlayerAt(l, 10);
         Lines player(l.begin() + last, l.end());
         l.erase(l.begin() + last, l.end());
         l.insert(l.begin(), player.begin(), player.end());
         return 0;
     },
     nullptr},
    {"no line end after the last line", [](Lines&) { return 0; }, nullptr, true},

    // One case for each kind of error.
    {"unknown keyword", [](Lines& l) { return Replace(l, PlayerAt(l, 3), "plyer 3"); }, "unknown keyword \"plyer\""},
    {"misspelt ball state", [](Lines& l) { return Replace(l, BallAt(l, 4, 1), "with bal"); },
     "expected \"with ball\", got \"with bal\""},
    {"text after a ball state", [](Lines& l) { return Replace(l, BallAt(l, 4, 0), "without ball now"); },
     "unexpected \"now\" after \"without ball\""},
    {"x above 32767", [](Lines& l) { return Replace(l, RowAt(l, 5, 0, 2), "  row 2: 32768,0 1,1 2,2"); },
     "x 32768 of zone column 0 in row 2 is outside -32768..32767"},
    {"a number of many digits",
     [](Lines& l) { return Replace(l, RowAt(l, 5, 1, 3), "  row 3: 0,0 1,1 99999999999999999999,2"); },
     "x 99999999999999999999 of zone column 2 in row 3 is outside"},
    {"two positions in a row", [](Lines& l) { return Replace(l, RowAt(l, 6, 0, 1), "  row 1: 0,0 1,1"); },
     "row 1 has 2 positions; it needs 3"},
    {"four positions in a row", [](Lines& l) { return Replace(l, RowAt(l, 6, 0, 1), "  row 1: 0,0 1,1 2,2 3,3"); },
     "row 1 has more than 3 positions (unexpected \"3,3\")"},
    {"letters for numbers", [](Lines& l) { return Replace(l, RowAt(l, 6, 0, 3), "  row 3: a,b 1,1 2,2"); },
     "expected a number for x of zone column 0 in row 3, got \"a,b\""},
    {"blank for comma", [](Lines& l) { return Replace(l, RowAt(l, 6, 0, 3), "  row 3: 1,1 12 3 2,2"); },
     "expected \",\" between x and y of zone column 1, got \"3\""},
    {"missing row, named at its ball state",
     [](Lines& l) {
         l.erase(l.begin() + RowAt(l, 4, 1, 2));
         return BallAt(l, 4, 1) + 1;
     },
     "player 4, with ball: row 2 is missing"},
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
    {"row given twice",
     [](Lines& l) {
         int i = RowAt(l, 2, 0, 1);
         l.insert(l.begin() + i + 1, l[i]);
         return i + 2;
     },
     "player 2, without ball: row 1 is given twice (first on line"},
    {"player number 11", [](Lines& l) { return Replace(l, PlayerAt(l, 7), "player 11"); },
     "player number 11 is outside 0-10"},
    {"player number glued to text", [](Lines& l) { return Replace(l, PlayerAt(l, 7), "player 7b"); },
     "\"player\" needs a player number 0-10"},
    {"zone row 4", [](Lines& l) { return Replace(l, RowAt(l, 8, 0, 0), "  row 4: 1,1 2,2 3,3"); },
     "zone row 4 is outside 0-3"},
    {"row without number", [](Lines& l) { return Replace(l, RowAt(l, 8, 0, 0), "  row: 1,1 2,2 3,3"); },
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
};

class TctParse : public testing::TestWithParam<ParseCase> {};

TEST_P(TctParse, Case)
{
    const ParseCase& c = GetParam();
    Lines lines = Split(Distinct().Text());
    int line = c.edit(lines);
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    if (c.noFinalLineFeed)
        text.pop_back();
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

// The file as the program reads it: through Formation_Load and its accessors,
// every position as described (the 16-bit extremes among them) and every
// byte outside the position block zero.
TEST(TctFile, RoundTripThroughFormationLoad)
{
    TctBuilder b = Distinct();
    std::string bytes;
    TctParseError error;
    ASSERT_TRUE(TctWriter_Parse(b.Text(), &bytes, &error)) << TctParseError_Text(error);
    TempDir dir;
    std::string path = dir.Write("old.tct", std::string(2000, 'x'));
    std::string message;
    ASSERT_TRUE(TctWriter_WriteFile(path.c_str(), bytes, &message)) << message;
    EXPECT_EQ(ReadBytes(path).size(), 1476u) << "the longer file is replaced";

    Formation* f = Formation_Load(path.c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Formation_X(f, 0, 0, 0, 0), -32768);
    EXPECT_EQ(Formation_Y(f, 0, 0, 0, 0), 32767);
    EXPECT_EQ(Formation_X(f, 10, 1, 2, 3), 32767);
    EXPECT_EQ(Formation_Y(f, 10, 1, 2, 3), -32768);
    int mismatches = 0;
    for (int p = 0; p < 11; ++p)
        for (int s = 0; s < 2; ++s)
            for (int c = 0; c < 3; ++c)
                for (int r = 0; r < 4; ++r)
                    if (Formation_X(f, p, s, c, r) != b.X(p, s, c, r) || Formation_Y(f, p, s, c, r) != b.Y(p, s, c, r))
                        ++mismatches;
    EXPECT_EQ(mismatches, 0) << "positions that read back differently";
    int set_outside = 0;
    for (int i = 0; i < 1476; ++i)
        set_outside += (i < kBlockStart || i >= kBlockEnd) && f->bytes[i] != 0;
    EXPECT_EQ(set_outside, 0) << "non-zero bytes outside the position block";
    Formation_Destroy(f);
}

TEST(TctFile, ReadAndWriteFailuresAreReported)
{
    TempDir dir;
    std::string message;
    EXPECT_FALSE(TctWriter_WriteFile(dir.File("no-such-folder/out.tct").c_str(), Distinct().Bytes(), &message));
    EXPECT_NE(message.find("cannot create"), std::string::npos) << message;

    std::string text = "untouched";
    EXPECT_FALSE(TctWriter_ReadFile(dir.File("missing.txt").c_str(), &text, &message));
    EXPECT_NE(message.find("cannot open"), std::string::npos) << message;
    EXPECT_EQ(text, "untouched");

    EXPECT_FALSE(TctWriter_ReadFile(dir.Write("big.txt", std::string(1024 * 1024 + 1, '#')).c_str(), &text, &message));
    EXPECT_NE(message.find("larger than 1 MiB"), std::string::npos) << message;
    EXPECT_TRUE(TctWriter_ReadFile(dir.Write("limit.txt", std::string(1024 * 1024, '#')).c_str(), &text, &message))
        << "exactly 1 MiB is accepted: " << message;
}

} // namespace
