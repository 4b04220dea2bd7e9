#include "stats/StatisticsDialog.h"

#include "common/BookFixture.h"
#include "common/WinTest.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

// A tactic of seasons of goals for, goals against, points, won, drawn and lost.
const TacticSummary* AddTactic(TestBook& book, const std::string& name, std::vector<std::array<int32_t, 6>> seasons)
{
    for (auto s : seasons)
        TacticBook_Add(book.get(), MakeRecord(name, s[0], s[1], s[2], s[3], s[4], s[5]));
    return book.Summary(book->summaries->count - 1);
}

} // namespace

TEST(StatisticsDialog, ShowsTheMeasuresSharesAndNameOfTheTactic)
{
    const std::string name(130, 'n');
    TestBook book;
    Dialog dialog(IDD_STATISTICS, StatisticsDialogProc,
                  AddTactic(book, name, {{40, 30, 50, 10, 8, 8}, {44, 20, 60, 12, 5, 3}, {48, 31, 70}}));
    const std::pair<int, std::string> fields[] = {
        {IDC_STAT_POINTS_AVERAGE, "60.00"}, {IDC_STAT_POINTS_STDDEV, "10.00"}, {IDC_STAT_POINTS_MIN, "50"},
        {IDC_STAT_POINTS_MAX, "70"},        {IDC_STAT_FOR_AVERAGE, "44.00"},   {IDC_STAT_FOR_STDDEV, "4.00"},
        {IDC_STAT_FOR_MIN, "40"},           {IDC_STAT_FOR_MAX, "48"},          {IDC_STAT_AGAINST_AVERAGE, "27.00"},
        {IDC_STAT_AGAINST_STDDEV, "6.08"},  {IDC_STAT_AGAINST_MIN, "20"},      {IDC_STAT_AGAINST_MAX, "31"},
        {IDC_STAT_WON, "47.8%"},            {IDC_STAT_DRAWN, "28.3%"},         {IDC_STAT_LOST, "23.9%"}, // of 46
        {IDC_STAT_SEASONS, "Seen 3 times"}, {IDC_STAT_TACTIC, "Tactic: " + name.substr(0, 111)}, // 119 characters
    };
    for (const auto& [id, text] : fields)
        EXPECT_EQ(dialog.Text(id), text) << "control " << id;
}

// Goals for, goals against and points as histograms, then as running means.
TEST(StatisticsDialog, DrawsEachChartAndPaintsItInItsPlace)
{
    TestBook book;
    const TacticSummary* tactic = AddTactic(book, "Charts", {{40, 30, 50}, {40, 30, 60}, {40, 30, 70}});
    Dialog dialog(IDD_STATISTICS, StatisticsDialogProc, tactic);
    // Full bars in 3 columns a bin of goals, in 9 for the points; means on row 50 (the points' from column 96).
    const int drawn[] = {300, 300, 900, 144, 144};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Pixels(StatisticsDialog_Image(i)).Count(kBlack), drawn[i]) << "pixels drawn in chart " << i;
    const Pixels p(StatisticsDialog_Image(5));
    EXPECT_EQ(p.Column(0, kBlack) + p.Column(143, kBlack), std::string(150, '.') + '#' + std::string(49, '.'));
    Paint(dialog.window);
    WindowDC dc(dialog.window);
    for (int i = 0; i < kStatisticsChartCount; ++i) // three in a row, 162 and 116 pixels apart
        EXPECT_TRUE(Pixels(dc.get(), 12 + 162 * (i % 3), 140 + 116 * (i / 3), 144, 100) ==
                    Pixels(StatisticsDialog_Image(i))) << "chart " << i;
}

TEST(StatisticsDialog, EveryWayOfClosingReleasesTheSixImages)
{
    TestBook book;
    const TacticSummary* tactic = AddTactic(book, "Closing", {{40, 30, 50}});
    const int before = OffscreenImage_LiveCount();
    // The Close button, the close box, destroying the window.
    for (auto [id, message, w] : {std::tuple{IDC_STAT_CLOSE, BM_CLICK, 0}, {0, WM_SYSCOMMAND, SC_CLOSE}, {0, 0, 0}}) {
        Dialog dialog(IDD_STATISTICS, StatisticsDialogProc, tactic);
        ShowWindow(dialog.window, SW_SHOW);
        EXPECT_EQ(OffscreenImage_LiveCount(), before + 6) << "six images while open";
        EXPECT_TRUE(!StatisticsDialog_Image(-1) && !StatisticsDialog_Image(kStatisticsChartCount)) << "only 0 to 5";
        EXPECT_TRUE(!SendMessageA(dialog.window, WM_COMMAND, IDCANCEL, 0) && IsWindowVisible(dialog.window)) << "Esc";
        if (message)
            SendMessageA(id ? GetDlgItem(dialog.window, id) : dialog.window, message, w, 0);
        else
            DestroyWindow(dialog.window);
        EXPECT_EQ(OffscreenImage_LiveCount(), before) << "message " << message << " releases them";
        EXPECT_FALSE(IsWindowVisible(dialog.window)) << "message " << message << " ends the dialog";
    }
}

TEST(StatisticsDialog, CommandShowsNothingWithoutATacticWithSeasons)
{
    UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND dialog = ThreadWindow("#32770"))
            PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    DArray* selection = DArray_Create(0);
    EXPECT_EQ(Statistics_Command(nullptr, nullptr), 0);
    EXPECT_EQ(Statistics_Command(nullptr, selection), 0);
    TacticSummary* seasonless = TacticSummary_Create("Seasonless");
    DArray_Append(selection, seasonless);
    EXPECT_EQ(Statistics_Command(nullptr, selection), 0) << "a tactic without seasons is not shown";
    KillTimer(nullptr, timer);
    DArray_Destroy(selection, nullptr);
    TacticSummary_Destroy(seasonless);
}
