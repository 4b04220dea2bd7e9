#include "app/ResultsListText.h"

#include "common/BookFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Cell(const TacticSummary* summary, int column, std::size_t size = 128)
{
    std::string buffer(size, 'X');
    ResultsList_FormatCell(summary, column, buffer.data(), size);
    return buffer.c_str();
}

} // namespace

TEST(ResultsListText, ColumnTable)
{
    const char* titles[] = {"Tactic name", "Goals", "Conceded", "Points", "Pts avg", "EV", "Prob", "#"};
    const int widths[] = {200, 100, 100, 100, 75, 60, 60, 50};
    for (int i = 0; i < kResultsListColumns; ++i) {
        EXPECT_STREQ(kResultsListColumnTable[i].title, titles[i]) << "column " << i;
        EXPECT_EQ(kResultsListColumnTable[i].width, widths[i]) << "column " << i;
        EXPECT_EQ(kResultsListColumnTable[i].centred, i != 0) << "column " << i;
    }
}

TEST(ResultsListText, CellsOfATacticWithSeasons)
{
    TestBook book;
    book.Season("Counter442", 60, 71, 35);
    book.Season("Counter442", 70, 65, 41);
    const TacticSummary* s = book.Summary(0);
    // Goals 71 and 65: sd 4.2426, half-width 12.71 * 4.2426 = 53.92.
    EXPECT_EQ(Cell(s, 0), "Counter442");
    EXPECT_EQ(Cell(s, 1), "68.00 +- 53.92");
    EXPECT_EQ(Cell(s, 2), "38.00 +- 53.92");
    EXPECT_EQ(Cell(s, 3), "-24.87 - 154.87") << "65 -+ 89.87";
    EXPECT_EQ(Cell(s, 4), "65.00");
    EXPECT_EQ(Cell(s, 5), "0.00") << "nothing feeds EV";
    EXPECT_EQ(Cell(s, 6), "") << "Prob stays empty";
    EXPECT_EQ(Cell(s, 7), "2");
    EXPECT_EQ(Cell(s, 8), "") << "no such column";
    EXPECT_EQ(Cell(s, -1), "");
}

TEST(ResultsListText, SingleSeasonShowsNotANumberAsNa)
{
    TestBook book;
    book.Season("Single", 70, 55, 30);
    const TacticSummary* s = book.Summary(0);
    EXPECT_EQ(Cell(s, 1), "55.00 +- n/a");
    EXPECT_EQ(Cell(s, 2), "30.00 +- n/a");
    EXPECT_EQ(Cell(s, 3), "n/a");
    EXPECT_EQ(Cell(s, 4), "70.00");
    EXPECT_EQ(Cell(s, 7), "1");
}

TEST(ResultsListText, CellsStayInTheirBuffer)
{
    TestBook book;
    std::string long_name(300, 'L');
    book.Season(long_name, 70);
    std::string cell = Cell(book.Summary(0), 0, 128);
    EXPECT_EQ(cell, std::string(127, 'L')) << "cut to the buffer, terminator included";
    std::string small(8, 'X');
    ResultsList_FormatCell(book.Summary(0), 1, small.data(), 4);
    EXPECT_EQ(std::string(small.c_str()), "50.") << "4 bytes hold three characters of \"50.00 +- n/a\"";
    EXPECT_EQ(small[4], 'X') << "nothing written past the bound";
}

TEST(ResultsListText, SortCodeCycle)
{
    EXPECT_EQ(ResultsList_NextSortCode(4, 2), 2) << "first click on another column: descending";
    EXPECT_EQ(ResultsList_NextSortCode(2, 2), -2) << "second click: ascending";
    EXPECT_EQ(ResultsList_NextSortCode(-2, 2), 2) << "third click: descending again";
    EXPECT_EQ(ResultsList_NextSortCode(0, 5), 5) << "no order yet";
    EXPECT_EQ(ResultsList_NextSortCode(-3, 1), 1);
    EXPECT_EQ(ResultsList_NextSortCode(7, 0), 7) << "code 0 changes nothing";
}

TEST(ResultsListText, RowsOfTacticsFollowTheNames)
{
    TestBook book;
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"})
        book.Season(name, 50);
    DArray* selection = DArray_Create(0);
    DArray_Append(selection, book.Summary(1)); // Beta
    DArray_Append(selection, book.Summary(3)); // Delta
    DArray_Reverse(book->summaries);            // Delta, Gamma, Beta, Alpha
    EXPECT_EQ(ResultsList_RowsOfTactics(book->summaries, selection), (std::vector<int>{2, 0}));

    TacticSummary* gone = TacticSummary_Create("Gone");
    DArray_Append(selection, gone);
    EXPECT_EQ(ResultsList_RowsOfTactics(book->summaries, selection), (std::vector<int>{2, 0}))
        << "a tactic no row has is left out";
    TacticSummary_Destroy(gone);
    DArray_Destroy(selection, nullptr);
}
