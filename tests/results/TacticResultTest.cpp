#include "results/TacticResult.h"

#include "common/BookFixture.h"
#include "common/TempDir.h"
#include "support/Str.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

struct Fields {
    std::string name;
    int32_t goals_for, goals_against, points, games, won, drawn, lost;
    bool operator==(const Fields&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Fields& f)
{
    return os << "{" << f.name << " " << f.goals_for << "-" << f.goals_against << " " << f.points
              << " " << f.games << " " << f.won << "-" << f.drawn << "-" << f.lost << "}";
}

TacticResult* RecordOf(const Fields& f)
{
    return MakeRecord(f.name, f.goals_for, f.goals_against, f.points, f.won, f.drawn, f.lost, f.games);
}

Fields FieldsOf(const TacticResult* r)
{
    return {r->name, r->goals_for, r->goals_against, r->points, r->games, r->won, r->drawn, r->lost};
}

// Every record of a file, read with TacticResult_ReadNext until the end.
std::vector<Fields> ReadAll(const std::string& path)
{
    TextFile file(path);
    std::vector<Fields> out;
    while (!std::feof(file.get())) {
        TacticResult* r = TacticResult_ReadNext(file.get());
        if (!r)
            break;
        EXPECT_EQ(r->counted, 0);
        out.push_back(FieldsOf(r));
        TacticResult_Destroy(r);
    }
    return out;
}

std::vector<Fields> ReadText(const std::string& text)
{
    TempDir dir;
    return ReadAll(dir.Write("results.txt", text));
}

std::string WriteText(const Fields& f)
{
    TempDir dir;
    std::string path = dir.File("out.txt");
    TacticResult* r = RecordOf(f);
    {
        TextFile out(path, "w");
        TacticResult_Write(r, out.get());
    }
    TacticResult_Destroy(r);
    // Read back as text, so the platform's line ending becomes "\n".
    TextFile in(path);
    std::string text;
    for (int c; (c = std::fgetc(in.get())) != EOF;)
        text.push_back(static_cast<char>(c));
    return text;
}

} // namespace

TEST(TacticResult, CreateGivesDefaults)
{
    TacticResult* r = TacticResult_Create();
    EXPECT_EQ(FieldsOf(r), (Fields{"", 0, 0, 0, 26, 0, 0, 0}));
    EXPECT_EQ(r->counted, 0);
    TacticResult_Destroy(r);
    TacticResult_Destroy(nullptr);
}

struct LineCase {
    const char* what;
    std::string line;
    std::vector<Fields> records; // empty: the line is skipped
};

class ReadLineCases : public testing::TestWithParam<LineCase> {};

TEST_P(ReadLineCases, Reads)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(ReadText(c.line), c.records) << c.what;
    EXPECT_EQ(ReadText(c.line + "\n"), c.records) << c.what << ", with line feed";
    EXPECT_EQ(ReadText(c.line + "\r\n"), c.records) << c.what << ", with CR LF";
}

const Fields kCounter3{"Counter442", 71, 35, 70, 26, 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Grammar, ReadLineCases,
    testing::Values(
        LineCase{"three fields", "Counter442 71-35 70", {kCounter3}},
        LineCase{"with games", "Counter442 71-35 70 38", {{"Counter442", 71, 35, 70, 38, 0, 0, 0}}},
        LineCase{"tabs and W-D-L", "Counter442\t71-35\t70\t38\t20-10-8",
                 {{"Counter442", 71, 35, 70, 38, 20, 10, 8}}},
        LineCase{"padded writer line", "Wide" + std::string(23, ' ') + "5-3   9 26 0-0-0",
                 {{"Wide", 5, 3, 9, 26, 0, 0, 0}}},
        LineCase{"comment ;", "; Counter442 71-35 70", {}},
        LineCase{"comment #", "#Counter442 71-35 70", {}},
        LineCase{"exactly ten characters", "Name 1-2 3", {}},
        LineCase{"eleven characters with a trailing blank", "Name 1-2 3 ", {{"Name", 1, 2, 3, 26, 0, 0, 0}}},
        LineCase{"indented by a blank", " Counter442 71-35 70", {}},
        LineCase{"indented by a tab", "\tCounter442 71-35 70", {}},
        LineCase{"three fields, trailing blank", "Name 12-34 56 ", {{"Name", 12, 34, 56, 26, 0, 0, 0}}},
        LineCase{"text glued to numbers", "Glue 71x-35y 70z 38w 20a-10b-8c", {{"Glue", 71, 35, 70, 38, 20, 10, 8}}},
        LineCase{"runs of separators", "Runs \t  71-35 \t 70  \t 38 \t 20-10-8  ",
                 {{"Runs", 71, 35, 70, 38, 20, 10, 8}}},
        LineCase{"negative values", "Neg -5--3 -7 -38 -1--2--3", {{"Neg", -5, -3, -7, -38, -1, -2, -3}}},
        LineCase{"field without digits reads 0", "Zero x-y z games w-d-l", {{"Zero", 0, 0, 0, 0, 0, 0, 0}}},
        LineCase{"won field without dashes", "Only 71-35 70 38 20", {{"Only", 71, 35, 70, 38, 20, 0, 0}}},
        LineCase{"won field with one dash", "Half 71-35 70 38 20-10", {{"Half", 71, 35, 70, 38, 20, 10, 0}}},
        LineCase{"dash after the won field is not used", "Half 71-35 70 38 20 10-8",
                 {{"Half", 71, 35, 70, 38, 20, 0, 0}}},
        LineCase{"rest after lost is ignored", "Rest 71-35 70 38 20-10-8-5 extra",
                 {{"Rest", 71, 35, 70, 38, 20, 10, 8}}},
        LineCase{"no separator after the name", "Counter442_71-35_70", {}},
        LineCase{"no dash in the goals field", "NoDash 71 35 70 38", {}},
        LineCase{"dash only in a later field", "Later 71 35 70-38", {}},
        LineCase{"no points after the goals", "NoPoints 71-35", {}},
        LineCase{"no points, trailing blanks", "NoPoints 71-35    ", {}},
        LineCase{"saturating numbers", "Huge 99999999999-2147483648 -99999999999 1 2147483647-0-0",
                 {{"Huge", INT32_MAX, INT32_MAX, INT32_MIN, 1, INT32_MAX, 0, 0}}},
        LineCase{"carriage return inside the name", "Ab\rc 1-2 33", {{"Ab\rc", 1, 2, 33, 26, 0, 0, 0}}},
        LineCase{"form feed inside a line", "For\fm 1-2 33 38", {{"Form", 1, 2, 33, 38, 0, 0, 0}}},
        LineCase{"text ends at a NUL byte", std::string("Ab\0cdefghij 1-2 33 38", 22), {}},
        LineCase{"fields after a NUL byte are not read", std::string("Name 1-2 33\0 38 1-2-3", 22),
                 {{"Name", 1, 2, 33, 26, 0, 0, 0}}}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::to_string(info.index); });

TEST(TacticResult, FileOfOnlySkippedLinesGivesNoRecord)
{
    EXPECT_TRUE(ReadText("; comment\n# other\n\n   \nshort 1-2\n\tTab 1-2 3 4 5-6-7\n").empty());
}

TEST(TacticResult, SkippedLinesBetweenRecordsAreConsumed)
{
    std::vector<Fields> got = ReadText("; header\nFirst 1-2 30\n\n# note\nSecond 3-4 50 38 1-2-3\n\n");
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].name, "First");
    EXPECT_EQ(got[1], (Fields{"Second", 3, 4, 50, 38, 1, 2, 3}));
}

TEST(TacticResult, EveryLineIsReadOnce)
{
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += "Tactic" + std::to_string(i % 7) + " " + std::to_string(i % 90) + "-3 " + std::to_string(i) + "\n";
    std::vector<Fields> got = ReadText(text);
    ASSERT_EQ(got.size(), 500u);
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(got[i].points, i) << "record " << i;
}

struct WriteCase {
    Fields fields;
    std::string line;
};

TEST(TacticResult, WritesTheWriterFormat)
{
    const std::string name27 = "ABCDEFGHIJKLMNOPQRSTUVWXYZa";
    const WriteCase cases[] = {
        {{"Counter442", 71, 35, 70, 38, 20, 10, 8}, "Counter442                71-35 70 38 20-10-8\n"},
        {{"Wide", 5, 3, 9, 26, 0, 0, 0}, "Wide                       5-3   9 26 0-0-0\n"},
        {{name27, 102, 9, 99, 38, 31, 6, 1}, name27 + " 102-9  99 38 31-6-1\n"},
    };
    for (const WriteCase& c : cases)
        EXPECT_EQ(WriteText(c.fields), c.line) << c.fields;
}

TEST(TacticResult, ThreeFieldLineIsWrittenWithDefaults)
{
    std::vector<Fields> read = ReadText("Short 12-34 56");
    ASSERT_EQ(read.size(), 1u);
    std::string written = WriteText(read[0]);
    EXPECT_EQ(written.substr(written.size() - 10), " 26 0-0-0\n") << "got \"" << written << "\"";
}

TEST(TacticResult, WrittenFileReadsBackTheSameValues)
{
    const std::vector<Fields> records = {
        {"Counter442", 71, 35, 70, 38, 20, 10, 8},
        {"Wide", 5, 3, 9, 26, 0, 0, 0},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabc", 102, 9, 99, 38, 31, 6, 1},
        {"Neg", -5, -3, -7, -38, -1, -2, -3},
        {"Extremes", INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX},
        {"abc", 0, 0, 0, 0, 0, 0, 0},
        {"Sym;#-x", 1, 2, 3, 4, 5, 6, 7},
    };
    TempDir dir;
    std::string path = dir.File("roundtrip.txt");
    {
        TextFile out(path, "w");
        for (const Fields& f : records) {
            TacticResult* r = RecordOf(f);
            TacticResult_Write(r, out.get());
            TacticResult_Destroy(r);
        }
    }
    EXPECT_EQ(ReadAll(path), records);
}
