#include "support/Str.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

TEST(Str, DupConcatEqualFree)
{
    char* s = Str_Concat(Str_Dup("abc"), "de");
    char* x = Str_Concat(Str_Dup(""), "x");
    EXPECT_EQ(s + std::string(" ") + x, "abcde x");
    EXPECT_EQ(std::vector<int>({Str_Equal("Alpha", "alpha"), Str_Equal("Alpha", "Alph"), Str_Equal("", ""), Str_Equal(s, "abcde")}),
              std::vector<int>({0, 0, 1, 1}));
    Str_Free(s);
    Str_Free(x);
    Str_Free(nullptr);
    EXPECT_EQ(File_Close(nullptr), -1);
}

// The lines File_ReadLine gives until the end-of-file indicator is set.
TEST(Str, ReadLineGivesEveryLine)
{
    const std::string x1000(1000, 'x'), y100k(100000, 'y');
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {""}},
        {"ab\ncd", {"ab", "cd"}},
        {"a\n\nb\n", {"a", "", "b", ""}},
        {"a\fb\f\nc", {"ab", "c"}},                          // form feeds are dropped
        {"ab\r\na\rb\r\r\nc\r", {"ab", "a\rb\r", "c\r"}},    // only a CR before LF is
        {"ab\ncd\x1a" "ef\ngh\n", {"ab", "cd"}},             // Ctrl-Z ends the input
        {std::string("ab\0cd\nef", 8), {"ab", "ef"}},        // a NUL ends the line's text
        {x1000 + "\n" + y100k + "\nz", {x1000, y100k, "z"}}, // lines of any length
    };
    TempDir dir;
    for (const auto& [bytes, expected] : cases) {
        TextFile file(dir.Write("in.txt", bytes));
        std::vector<std::string> lines;
        while (!std::feof(file.get()) && lines.size() < 10) {
            char* line = File_ReadLine(file.get());
            lines.emplace_back(line);
            Str_Free(line);
        }
        EXPECT_EQ(lines, expected) << testing::PrintToString(bytes.substr(0, 20));
    }
}
