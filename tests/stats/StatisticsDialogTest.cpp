#include "stats/StatisticsDialog.h"

#include "resources/resource.h"
#include "results/TacticBook.h"
#include "stats/OffscreenImage.h"
#include "support/Str.h"

#include "common/BookFixture.h"
#include "common/WinTest.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

enum Chart { ForBars, AgainstBars, PointsBars, ForMean, AgainstMean, PointsMean };

struct Season {
    int32_t goals_for;
    int32_t goals_against;
    int32_t points;
    int32_t won = 0;
    int32_t drawn = 0;
    int32_t lost = 0;
};

// Adds a tactic with these seasons to the book and gives its summary.
TacticSummary* AddTactic(TestBook& book, const std::string& name, const std::vector<Season>& seasons)
{
    for (const Season& s : seasons)
        TacticBook_Add(book.get(), MakeRecord(name, s.goals_for, s.goals_against, s.points, s.won, s.drawn, s.lost));
    return book.Summary(book->summaries->count - 1);
}

// The dialog created modelessly for a summary, destroyed with the test.
class Dialog {
public:
    explicit Dialog(const TacticSummary* summary)
        : window_(CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_STATISTICS), nullptr, StatisticsDialogProc,
                                     reinterpret_cast<LPARAM>(summary)))
    {
    }
    ~Dialog()
    {
        if (IsWindow(window_))
            DestroyWindow(window_);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    HWND get() const { return window_; }

    std::string Text(int id) const
    {
        char buffer[512] = "";
        GetDlgItemTextA(window_, id, buffer, sizeof buffer);
        return buffer;
    }

private:
    HWND window_;
};

// Column x of a chart (144 x 100) from the top, '#' for black and '.' otherwise.
std::string ChartColumn(Chart chart, int x)
{
    const OffscreenImage* image = StatisticsDialog_Image(chart);
    return image ? ColumnPattern(image->dc, x, 100, kBlack) : "no image";
}

// Non-white pixels of a chart.
int Drawn(Chart chart)
{
    const OffscreenImage* image = StatisticsDialog_Image(chart);
    return image ? CountNonWhite(image->dc, 144, 100) : -1;
}

const std::string kEmpty(100, '.');
const std::string kFull(100, '#');

std::string Row(int y)
{
    std::string s = kEmpty;
    s[y] = '#';
    return s;
}

const std::vector<Season> kFiftySixtySeventy = {
    {40, 30, 50, 10, 8, 8},
    {40, 30, 60, 12, 5, 3},
    {40, 30, 70, 0, 0, 0},
};

} // namespace

TEST(StatisticsDialog, ShowsTheMeasuresOfThreeSeasons)
{
    TestBook book;
    TacticSummary* tactic = AddTactic(book, "Attack442", {{40, 30, 50}, {44, 20, 60}, {48, 31, 70}});
    Dialog dialog(tactic);
    ASSERT_NE(dialog.get(), nullptr);
    const struct {
        int id;
        const char* text;
    } fields[] = {
        {IDC_STAT_POINTS_AVERAGE, "60.00"},  {IDC_STAT_POINTS_STDDEV, "10.00"}, {IDC_STAT_POINTS_MIN, "50"},
        {IDC_STAT_POINTS_MAX, "70"},         {IDC_STAT_FOR_AVERAGE, "44.00"},   {IDC_STAT_FOR_STDDEV, "4.00"},
        {IDC_STAT_FOR_MIN, "40"},            {IDC_STAT_FOR_MAX, "48"},          {IDC_STAT_AGAINST_AVERAGE, "27.00"},
        {IDC_STAT_AGAINST_STDDEV, "6.08"},   {IDC_STAT_AGAINST_MIN, "20"},      {IDC_STAT_AGAINST_MAX, "31"},
        {IDC_STAT_SEASONS, "Seen 3 times"},  {IDC_STAT_TACTIC, "Tactic: Attack442.tct"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(dialog.Text(f.id), f.text) << "control " << f.id;
}

TEST(StatisticsDialog, ShowsTheWonDrawnLostShares)
{
    TestBook book;
    TacticSummary* tactic = AddTactic(book, "Shares", kFiftySixtySeventy);
    Dialog dialog(tactic);
    EXPECT_EQ(dialog.Text(IDC_STAT_WON), "47.8%") << "22 of 46";
    EXPECT_EQ(dialog.Text(IDC_STAT_DRAWN), "28.3%") << "13 of 46";
    EXPECT_EQ(dialog.Text(IDC_STAT_LOST), "23.9%") << "11 of 46";

    TacticSummary* none = AddTactic(book, "NoRecord", {{40, 30, 50}, {41, 31, 51}});
    Dialog without(none);
    for (int id : {IDC_STAT_WON, IDC_STAT_DRAWN, IDC_STAT_LOST})
        EXPECT_EQ(without.Text(id), "0.0%") << "control " << id;
}

TEST(StatisticsDialog, CutsALongNameTo119Characters)
{
    std::string name;
    for (int i = 0; i < 130; ++i)
        name += static_cast<char>('a' + i % 26);
    TestBook book;
    TacticSummary* tactic = AddTactic(book, name, {{40, 30, 50}});
    Dialog dialog(tactic);
    EXPECT_EQ(dialog.Text(IDC_STAT_TACTIC), "Tactic: " + name.substr(0, 111)) << "119 characters, no extension";
    EXPECT_EQ(dialog.Text(IDC_STAT_SEASONS), "Seen 1 times") << "the fields after the name are still filled";
}

TEST(StatisticsDialog, HistogramsOfThreeSeasons)
{
    TestBook book;
    TacticSummary* tactic = AddTactic(book, "Hist", kFiftySixtySeventy);
    Dialog dialog(tactic);
    // Bins 38, 48 and 58 hold 333 each: their bars and both neighbouring
    // half columns fill the height; the rest is empty.
    for (int x = 0; x < 144; ++x) {
        bool bar = false;
        for (int bin : {38, 48, 58})
            bar = bar || (x >= 2 * bin - 1 && x <= 2 * bin + 1);
        EXPECT_EQ(ChartColumn(PointsBars, x), bar ? kFull : kEmpty) << "points histogram column " << x;
    }
    // Goals scored 40 in every season: bin 28 holds 1000.
    EXPECT_EQ(ChartColumn(ForBars, 56), kFull);
    EXPECT_EQ(Drawn(ForBars), 300) << "columns 55, 56 and 57 only";
    // Goals conceded 30: bin 30 at columns 59 to 61.
    EXPECT_EQ(ChartColumn(AgainstBars, 60), kFull);
    EXPECT_EQ(Drawn(AgainstBars), 300);
}

TEST(StatisticsDialog, RunningMeansOfThreeSeasons)
{
    TestBook book;
    TacticSummary* tactic = AddTactic(book, "Mean", kFiftySixtySeventy);
    Dialog dialog(tactic);
    // Rows 550 (columns 0-47) and 300 (48-95) lie below the image; 50 (96-143) is drawn.
    for (int x = 0; x < 95; ++x)
        EXPECT_EQ(ChartColumn(PointsMean, x), kEmpty) << "column " << x;
    for (int x = 97; x < 144; ++x)
        EXPECT_EQ(ChartColumn(PointsMean, x), Row(50)) << "column " << x;
    const OffscreenImage* points = StatisticsDialog_Image(PointsMean);
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(GetPixel(points->dc, 96, 50), kBlack);
    EXPECT_EQ(GetPixel(points->dc, 96, 99), kBlack) << "the jump from row 300 enters from below";
    // Goals scored 40 in every season: the mean row all along.
    for (int x = 0; x < 144; ++x)
        EXPECT_EQ(ChartColumn(ForMean, x), Row(50)) << "goals scored column " << x;
}

TEST(StatisticsDialog, OutOfRangeSeasonsAreSafe)
{
    TestBook book;
    TacticSummary* tactic = AddTactic(book, "Wild", {{INT32_MAX, INT32_MAX, INT32_MAX},
                           {INT32_MIN, -1, INT32_MIN},
                           {11, 144, 156},
                           {12, 0, 12},
                           {160, 500, -3}});
    Dialog dialog(tactic);
    ASSERT_NE(dialog.get(), nullptr);
    // One season in five falls into bin 0 of each histogram: 200 per mille.
    EXPECT_EQ(ChartColumn(ForBars, 0), kFull);
    EXPECT_EQ(ChartColumn(ForBars, 1), kFull);
    EXPECT_EQ(Drawn(ForBars), 200) << "nothing else";
    EXPECT_EQ(Drawn(AgainstBars), 200);
    EXPECT_EQ(Drawn(PointsBars), 200);
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_MAX), "2147483647");
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_MIN), "-2147483648");
    ShowWindow(dialog.get(), SW_SHOW);
    UpdateWindow(dialog.get());
}

TEST(StatisticsDialog, EveryWayOfClosingReleasesTheSixImages)
{
    TestBook book;
    TacticSummary* tactic = AddTactic(book, "Closing", kFiftySixtySeventy);
    int before = OffscreenImage_LiveCount();

    Dialog by_button(tactic);
    ShowWindow(by_button.get(), SW_SHOW);
    EXPECT_EQ(OffscreenImage_LiveCount(), before + 6) << "six images while open";
    EXPECT_EQ(SendMessageA(by_button.get(), WM_COMMAND, IDCANCEL, 0), 0);
    EXPECT_TRUE(IsWindowVisible(by_button.get())) << "Escape does not close the dialog";
    SendMessageA(GetDlgItem(by_button.get(), IDC_STAT_CLOSE), BM_CLICK, 0, 0);
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "the Close button releases them";
    EXPECT_FALSE(IsWindowVisible(by_button.get())) << "the dialog ended";
    for (int i = 0; i < kStatisticsChartCount; ++i)
        EXPECT_EQ(StatisticsDialog_Image(i), nullptr) << "image " << i;

    Dialog by_close_box(tactic);
    ShowWindow(by_close_box.get(), SW_SHOW);
    SendMessageA(by_close_box.get(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "the close box releases them";
    EXPECT_FALSE(IsWindowVisible(by_close_box.get()));

    Dialog destroyed(tactic);
    DestroyWindow(destroyed.get());
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "destroying the window releases them too";
}

TEST(StatisticsDialog, PaintCopiesTheChartsToTheirPlaces)
{
    TestBook book;
    TacticSummary* tactic = AddTactic(book, "Paint", kFiftySixtySeventy);
    Dialog dialog(tactic);
    SetWindowPos(dialog.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(dialog.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
    HDC dc = GetDC(dialog.get());
    struct Probe {
        int x, y;
        COLORREF colour;
        const char* what;
    } probes[] = {
        {336 + 76, 140 + 10, kBlack, "points bar of bin 38"},
        {336 + 74, 140 + 10, kWhite, "beside it"},
        {12 + 56, 140 + 99, kBlack, "goals scored bar of bin 28"},
        {174 + 60, 140 + 0, kBlack, "goals conceded bar of bin 30"},
        {12 + 10, 256 + 50, kBlack, "goals scored mean row"},
        {12 + 10, 256 + 49, kWhite, "above it"},
        {174 + 143, 256 + 50, kBlack, "goals conceded mean row, last column"},
        {336 + 20, 256 + 50, kWhite, "points mean before it settles"},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << p.what << " at (" << p.x << ", " << p.y << ")";
    ReleaseDC(dialog.get(), dc);
}

namespace {

// Watches for a modal Statistics dialog from a thread timer and closes it.
int g_shown = 0;
void CALLBACK CloseStatistics(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindWindowA("#32770", "Statistics");
    if (dialog && IsWindowVisible(dialog)) {
        ++g_shown;
        SendMessageA(GetDlgItem(dialog, IDC_STAT_CLOSE), BM_CLICK, 0, 0);
    }
}

int RunCommand(const DArray* selection)
{
    UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseStatistics);
    int shown = Statistics_Command(nullptr, selection);
    KillTimer(nullptr, timer);
    Pump();
    return shown;
}

} // namespace

// (The main window's tests open the dialog for the topmost selected tactic.)
TEST(StatisticsDialog, CommandWithoutASelectionDoesNothing)
{
    g_shown = 0;
    DArray* empty = DArray_Create(0);
    EXPECT_EQ(RunCommand(empty), 0);
    EXPECT_EQ(RunCommand(nullptr), 0);
    TacticSummary* none = TacticSummary_Create("Seasonless");
    DArray_Append(empty, none);
    EXPECT_EQ(RunCommand(empty), 0) << "a tactic without seasons is not shown";
    EXPECT_EQ(g_shown, 0) << "no dialog was shown";
    DArray_Destroy(empty, nullptr);
    TacticSummary_Destroy(none);
}
