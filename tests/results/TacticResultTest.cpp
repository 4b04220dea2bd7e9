#include "results/TacticResult.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>

// name, goals for, goals against, points, games, won, drawn, lost
using Fields = std::tuple<std::string, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;

// Each file as given, and with a line feed or CR LF behind it.
TEST(TacticResult, ReadsSeasonLines)
{
    const std::pair<std::string, std::vector<Fields>> cases[] = {
        {"Counter442 71-35 70", {{"Counter442", 71, 35, 70, 26, 0, 0, 0}}},
        {"Counter442\t71-35\t70\t38\t20-10-8", {{"Counter442", 71, 35, 70, 38, 20, 10, 8}}},
        {std::string(300, 'L') + " 1-2 3", {{std::string(300, 'L'), 1, 2, 3, 26, 0, 0, 0}}},
        // comments, indented and short lines are skipped, and consumed
        {"; Alpha 1-2 30\n#Alpha 1-2 30\n Indented 1-2 30\n\tTab 1-2 30\nName 1-2 3\n\nFirst 1-2 30\nName 4-5 6 ",
         {{"First", 1, 2, 30, 26, 0, 0, 0}, {"Name", 4, 5, 6, 26, 0, 0, 0}}},
        {"Glue 71x-35y 70z 38w 20a-10b-8c", {{"Glue", 71, 35, 70, 38, 20, 10, 8}}},
        {"Runs \t  71-35 \t 70  \t 38 \t 20-10-8  ", {{"Runs", 71, 35, 70, 38, 20, 10, 8}}},
        {"Neg -5--3 -7 -38 -1--2--3", {{"Neg", -5, -3, -7, -38, -1, -2, -3}}},
        {"Sign +5-+3 x games w-+d-l", {{"Sign", 5, 3, 0, 0, 0, 0, 0}}},
        {"Huge 99999999999-2147483648 -99999999999 -2147483649 2147483647--2147483648-0",
         {{"Huge", INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN, 0}}},
        // won, drawn and lost only within their field
        {"Only 71-35 70 38 20\nHalf 71-35 70 38 20-10\nApart 71-35 70 38 20 10-8\nRest 71-35 70 38 20-10-8-5 x",
         {{"Only", 71, 35, 70, 38, 20, 0, 0}, {"Half", 71, 35, 70, 38, 20, 10, 0},
          {"Apart", 71, 35, 70, 38, 20, 0, 0}, {"Rest", 71, 35, 70, 38, 20, 10, 8}}},
        // no separator after the name, no '-' in the goals field, no points
        {"Counter442_71-35_70\nNoDash 71 35 70 38\nLater 71 35 70-38\nNoPoints 71-35\nNoPoints 71-35    ", {}},
        {"Ab\rc 1-2 33\nFor\fm 1-2 33 38", {{"Ab\rc", 1, 2, 33, 26, 0, 0, 0}, {"Form", 1, 2, 33, 38, 0, 0, 0}}},
        {std::string("Ab\0cdefghij 1-2 33 38\nName 1-2 33\0 38 1-2-3", 43), {{"Name", 1, 2, 33, 26, 0, 0, 0}}},
    };
    TempDir dir;
    for (const auto& [bytes, records] : cases) {
        for (const char* end : {"", "\n", "\r\n"}) {
            TextFile file(dir.Write("results.txt", bytes + end));
            std::vector<Fields> got;
            while (TacticResult* r = TacticResult_ReadNext(file.get())) {
                got.emplace_back(r->name, r->goals_for, r->goals_against, r->points, r->games, r->won, r->drawn, r->lost);
                EXPECT_EQ(r->counted, 0) << r->name;
                TacticResult_Destroy(r);
            }
            EXPECT_EQ(got, records) << testing::PrintToString(bytes + end);
            EXPECT_TRUE(std::feof(file.get())) << "no record only at the end of the file";
        }
    }
}
