#include "app/ResultsListText.h"

#include "common/BookFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

TEST(ResultsListText, ColumnsAndCells)
{
    std::string columns;
    for (const ResultsListColumn& c : kResultsListColumnTable)
        columns += c.title + (":" + std::to_string(c.width) + (c.centred ? "c " : " "));
    EXPECT_EQ(columns, "Tactic name:200 Goals:100c Conceded:100c Points:100c Pts avg:75c EV:60c Prob:60c #:50c ");
    TestBook book;
    book.Season("Counter442", 60, 71, 35);
    book.Season("Counter442", 70, 65, 41);
    book.Season(std::string(300, 'S'), 70, 55, 30);
    // Goals 71 and 65: sd 4.2426, half-width 12.71 * 4.2426 = 53.92; points 65 -+ 89.87.
    const std::string two[] = {"Counter442", "68.00 +- 53.92", "38.00 +- 53.92", "-24.87 - 154.87", "65.00", "0.00", "", "2"};
    const std::string one[] = {std::string(127, 'S'), "55.00 +- n/a", "30.00 +- n/a", "n/a", "70.00", "0.00", "", "1"};
    char cell[128];
    for (int i = -1; i <= kResultsListColumns; ++i) {
        bool inside = i >= 0 && i < kResultsListColumns;
        ResultsList_FormatCell(book.Summary(0), i, cell, sizeof cell);
        EXPECT_EQ(cell, inside ? two[i] : "") << "column " << i;
        ResultsList_FormatCell(book.Summary(1), i, cell, sizeof cell);
        EXPECT_EQ(cell, inside ? one[i] : "") << "one season, column " << i;
    }
    std::memset(cell, 'X', sizeof cell);
    ResultsList_FormatCell(book.Summary(1), 1, cell, 4);
    EXPECT_EQ(std::string(cell, 5), std::string("55.\0X", 5)) << "three characters and the terminator in 4 bytes";
}

TEST(ResultsListText, SortCodeCycle)
{
    for (auto [current, clicked, next] : {std::array{4, 2, 2}, {2, 2, -2}, {-2, 2, 2}, {0, 5, 5}, {-3, 1, 1}, {7, 0, 7}})
        EXPECT_EQ(ResultsList_NextSortCode(current, clicked), next) << "code " << current << ", click on " << clicked;
}

// The rows of a selection's tactics: its own summaries wherever they moved, a copy by name, strangers left out.
TEST(ResultsListText, RowsOfTactics)
{
    TestBook book;
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"})
        book.Season(name, 50);
    DArray* summaries = book->summaries;
    std::swap(summaries->elems[0], summaries->elems[3]); // Delta Beta Gamma Alpha
    TacticSummary *copy = TacticSummary_Create("Gamma"), *stranger = TacticSummary_Create("Omega");
    const struct { std::vector<void*> selection; std::vector<int> rows; } cases[] = {
        {{summaries->elems[3], summaries->elems[1]}, {3, 1}}, // Alpha, Beta: in the selection's order
        {{summaries->elems[3], copy}, {3, 2}},                // a copy is found by its name
        {{stranger, summaries->elems[0]}, {0}},
        {{summaries->elems[2], summaries->elems[2]}, {2, 2}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        DArray* selection = DArray_Create(0);
        for (void* summary : c.selection)
            DArray_Append(selection, summary);
        EXPECT_EQ(ResultsList_RowsOfTactics(summaries, selection), c.rows) << c.selection.size() << " selected";
        DArray_Destroy(selection, nullptr);
    }
    for (TacticSummary* made : {copy, stranger})
        TacticSummary_Destroy(made);
}
