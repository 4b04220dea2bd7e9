#include "support/Str.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// All lines File_ReadLine gives until the end-of-file indicator is set.
std::vector<std::string> ReadAllLines(const std::string& path)
{
    TextFile file(path);
    std::vector<std::string> lines;
    while (!std::feof(file.get())) {
        char* line = File_ReadLine(file.get());
        lines.emplace_back(line);
        Str_Free(line);
        if (lines.size() > 10000)
            break;
    }
    return lines;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(Str, DupConcatEqual)
{
    char* s = Str_Dup("abc");
    s = Str_Concat(s, "de");
    EXPECT_STREQ(s, "abcde");
    char* e = Str_Dup("");
    e = Str_Concat(e, "x");
    EXPECT_STREQ(e, "x");
    EXPECT_EQ(Str_Equal("Alpha", "alpha"), 0);
    EXPECT_EQ(Str_Equal("", ""), 1);
    EXPECT_EQ(Str_Equal("Alpha", "Alpha"), 1);
    EXPECT_EQ(Str_Equal("Alpha", "Alph"), 0);
    char* a = Str_Alloc(3);
    a[0] = '\0';
    a = Str_Concat(a, "xyz");
    EXPECT_STREQ(a, "xyz");
    Str_Free(s);
    Str_Free(e);
    Str_Free(a);
    Str_Free(nullptr);
}

struct ReadLineCase {
    const char* what;
    std::string bytes;
    Lines lines;
};

class ReadLine : public testing::TestWithParam<ReadLineCase> {};

TEST_P(ReadLine, GivesTheLines)
{
    const ReadLineCase& c = GetParam();
    TempDir dir;
    EXPECT_EQ(ReadAllLines(dir.Write("in.txt", c.bytes)), c.lines) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLine,
    testing::Values(
        ReadLineCase{"empty file: one empty line, then the end", "", {""}},
        ReadLineCase{"last line without line feed", "ab\ncd", {"ab", "cd"}},
        ReadLineCase{"final line feed gives one empty line", "ab\n", {"ab", ""}},
        ReadLineCase{"blank lines stay", "a\n\nb\n", {"a", "", "b", ""}},
        ReadLineCase{"form feeds are dropped", "a\fb\f\nc", {"ab", "c"}},
        ReadLineCase{"CR before LF is dropped", "ab\r\ncd\r\n", {"ab", "cd", ""}},
        ReadLineCase{"other CRs stay", "a\rb\nc\r", {"a\rb", "c\r"}},
        ReadLineCase{"CR CR LF keeps one CR", "a\r\r\nb", {"a\r", "b"}},
        ReadLineCase{"Ctrl-Z ends the input", std::string("ab\ncd\x1a" "ef\ngh\n"), {"ab", "cd"}}),
    [](const testing::TestParamInfo<ReadLineCase>& info) { return std::to_string(info.index); });

TEST(Str, ReadLineOfAnyLength)
{
    std::string long_line(1000, 'x');
    std::string huge_line(100000, 'y');
    TempDir dir;
    Lines got = ReadAllLines(dir.Write("long.txt", long_line + "\n" + huge_line + "\nz"));
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], long_line);
    EXPECT_EQ(got[1], huge_line);
    EXPECT_EQ(got[2], "z");
}

TEST(Str, ReadLineKeepsNulBytesOutOfTheNextLine)
{
    TempDir dir;
    Lines got = ReadAllLines(dir.Write("with-zero-byte.txt", std::string("ab\0cd\nef", 8)));
    ASSERT_EQ(got.size(), 2u) << testing::PrintToString(got);
    EXPECT_EQ(got[0], "ab") << "the line's text ends at its NUL byte";
    EXPECT_EQ(got[1], "ef");
}

TEST(Str, FileClose)
{
    EXPECT_EQ(File_Close(nullptr), -1);
    TempDir dir;
    std::string path = dir.File("out.txt");
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("kept", f);
    EXPECT_EQ(File_Close(f), 0);
    EXPECT_EQ(ReadBytes(path), "kept") << "buffered output is flushed";
}
