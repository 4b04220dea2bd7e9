#include "tctwriter/TctWriter.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Position k (player k / 24, situation k % 24): all different, some negative, 16-bit extremes first and last.
int X(int k) { return k == 0 ? -32768 : k == 263 ? 32767 : 7 * k - 900; }
int Y(int k) { return k == 0 ? 32767 : k == 263 ? -32768 : 1000 - 3 * k; }

std::string Distinct()
{
    TctBuilder b;
    for (int k = 0; k < 264; ++k)
        b.Set(k / 24, k / 12 % 2, k / 4 % 3, k % 4, X(k), Y(k));
    return b.Bytes();
}

// Lines of Format's description, from 0: player p, its ball state s, and that ball state's zone row r.
int P(int p) { return 12 * p; }
int B(int p, int s) { return P(p) + 1 + 5 * s; }
int R(int p, int s, int r) { return B(p, s) + 4 - r; }

} // namespace

TEST(TctWriter, ParseErrorsNameTheirLine)
{
    // Lines of the description replaced by others; the 1-based line and the start of the message.
    const struct { int line, count; const char* by; int error_line; const char* message; } cases[] = {
        {P(3), 1, "plyer 3\n", P(3) + 1, "unknown keyword \"plyer\""},
        {B(4, 1), 1, "with bal\n", B(4, 1) + 1, "expected \"with ball\", got \"with bal\""},
        {B(4, 0), 1, "without ball now\n", B(4, 0) + 1, "unexpected \"now\" after \"without ball\""},
        {R(5, 0, 2), 1, "row 2: 32768,0 1,1 2,2\n", R(5, 0, 2) + 1, "x 32768 of zone column 0 in row 2 is outside"},
        {R(5, 1, 3), 1, "row 3: 0,0 1,1 2,-99999999999999999999\n", R(5, 1, 3) + 1, "y -99999999999999999999 of"},
        {R(6, 0, 1), 1, "row 1: 0,0 1,1\n", R(6, 0, 1) + 1, "row 1 has 2 positions; it needs 3"},
        {R(6, 0, 3), 1, "row 3: a,b 1,1 2,2\n", R(6, 0, 3) + 1, "expected a number for x of zone column 0 in row 3"},
        {R(4, 1, 2), 1, "", B(4, 1) + 1, "player 4, with ball: row 2 is missing"},
        {B(5, 0), 5, "", P(5) + 1, "player 5: \"without ball\" is missing"},
        {P(10) - 1, 12, "", P(10) - 1, "end of input, but player 10 is missing"},
        {R(2, 0, 1), 0, "row 1: 0,0 1,1 2,2\n", R(2, 0, 1) + 2, "player 2, without ball: row 1 is given twice"},
        {P(9), 1, "player 8\n", P(9) + 1, "player 8 is given twice (first on line 97)"},
        {P(7), 1, "player 11\n", P(7) + 1, "player number 11 is outside 0-10"},
        {0, 0, "with ball\n", 1, "\"with ball\" comes before any \"player\" line"},
    };
    const std::string plain = TctWriter_Format(Distinct());
    std::vector<std::size_t> starts = {0}; // of each line, and the end
    for (std::size_t at = 0; (at = plain.find('\n', at) + 1) != 0;)
        starts.push_back(at);
    for (const auto& c : cases) {
        std::string text = plain, bytes = "untouched";
        text.replace(starts[c.line], starts[c.line + c.count] - starts[c.line], c.by);
        TctParseError error;
        const std::string want = "line " + std::to_string(c.error_line) + ": " + c.message;
        EXPECT_FALSE(TctWriter_Parse(text, &bytes, &error)) << "expected " << want;
        EXPECT_EQ(TctParseError_Text(error).substr(0, want.size()), want);
        EXPECT_EQ(bytes, "untouched") << "the output is left alone on errors";
    }
}

// Format's output parses back, also with comments, blanks around commas, no colons, CR LF line ends, no line
// end at the end and player 0 last, read from a file (of at most 1 MiB); a longer file is written over.
TEST(TctWriter, DescriptionsAndFilesReadBack)
{
    const std::string plain = TctWriter_Format(Distinct()), second = "player 1\n";
    std::string spaced = plain.substr(plain.find(second)) + plain.substr(0, plain.find(second)), message, text;
    for (std::size_t at = 0; (at = spaced.find_first_of(",\n:", at)) != std::string::npos; at += 3)
        spaced.replace(at, 1, spaced[at] == ',' ? " , " : spaced[at] == ':' ? " \t " : " \r\n");
    TempDir dir;
    EXPECT_TRUE(TctWriter_ReadFile(dir.Write("t.txt", spaced.substr(0, spaced.size() - 3)).c_str(), &text, &message));
    for (const std::string& t : {text, TctWriter_Format(Distinct(), {"GK", "", "LCB"}, "Test\n\nsecond line")}) {
        std::string bytes;
        TctParseError error;
        EXPECT_TRUE(TctWriter_Parse(t, &bytes, &error) && bytes == Distinct())
            << "expected the positions of the plain description, got " << TctParseError_Text(error) << " in\n" << t;
    }
    std::string path = dir.Write("old.tct", std::string(2000, 'x'));
    EXPECT_TRUE(TctWriter_WriteFile(path.c_str(), Distinct(), &message) && ReadBytes(path) == Distinct()) << message;
    EXPECT_FALSE(TctWriter_WriteFile(dir.File("none/t.tct").c_str(), Distinct(), &message) ||
                 TctWriter_ReadFile(dir.File("none.txt").c_str(), &text, &message)) << "expected no folder, no file";
    EXPECT_FALSE(TctWriter_ReadFile(dir.Write("big.txt", std::string(1024 * 1024 + 1, '#')).c_str(), &text, &message));
    EXPECT_TRUE(TctWriter_ReadFile(dir.Write("limit.txt", std::string(1024 * 1024, '#')).c_str(), &text, &message) &&
                text.size() == 1024 * 1024) << "expected exactly 1 MiB read whole, " << message;
}
