#include "stats/StatisticsDialog.h"

#include "resources/resource.h"
#include "results/TacticBook.h"
#include "stats/OffscreenImage.h"
#include "support/Str.h"

#include "common/BookFixture.h"

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

// A tactic summary with its seasons; the test owns the records.
class Tactic {
public:
    Tactic(const std::string& name, const std::vector<Season>& seasons)
        : summary_(TacticSummary_Create(name.c_str()))
    {
        for (const Season& s : seasons) {
            TacticResult* r = MakeRecord(name, s.goals_for, s.goals_against, s.points, s.won, s.drawn, s.lost);
            TacticSummary_Absorb(summary_, r);
            records_.push_back(r);
        }
    }
    ~Tactic()
    {
        TacticSummary_Destroy(summary_);
        for (TacticResult* r : records_)
            TacticResult_Destroy(r);
    }
    Tactic(const Tactic&) = delete;
    Tactic& operator=(const Tactic&) = delete;
    TacticSummary* get() const { return summary_; }

private:
    TacticSummary* summary_;
    std::vector<TacticResult*> records_;
};

// The dialog created modelessly for a summary, destroyed with the test.
class Dialog {
public:
    explicit Dialog(const TacticSummary* summary)
        : window_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_STATISTICS), nullptr,
                                     StatisticsDialogProc, reinterpret_cast<LPARAM>(summary)))
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

// Handles the messages waiting for this thread, at most a bounded number.
void Pump()
{
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

COLORREF Pixel(Chart chart, int x, int y)
{
    const OffscreenImage* image = StatisticsDialog_Image(chart);
    return image ? GetPixel(image->dc, x, y) : CLR_INVALID;
}

// Column x of a chart from the top, '#' for black and '.' for white.
std::string ChartColumn(Chart chart, int x)
{
    std::string s;
    for (int y = 0; y < 100; ++y) {
        COLORREF c = Pixel(chart, x, y);
        s += c == kBlack ? '#' : c == kWhite ? '.' : '?';
    }
    return s;
}

std::string Empty()
{
    return std::string(100, '.');
}

std::string Full()
{
    return std::string(100, '#');
}

std::string Row(int y)
{
    std::string s = Empty();
    s[y] = '#';
    return s;
}

// Non-white pixels of a chart.
int Drawn(Chart chart)
{
    int count = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 144; ++x)
            count += Pixel(chart, x, y) != kWhite;
    return count;
}

const std::vector<Season> kFiftySixtySeventy = {
    {40, 30, 50, 10, 8, 8},
    {40, 30, 60, 12, 5, 3},
    {40, 30, 70, 0, 0, 0},
};

} // namespace

TEST(StatisticsDialog, ShowsTheMeasuresOfThreeSeasons)
{
    Tactic tactic("Attack442", {{40, 30, 50}, {44, 20, 60}, {48, 31, 70}});
    Dialog dialog(tactic.get());
    ASSERT_NE(dialog.get(), nullptr);
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_AVERAGE), "60.00");
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_STDDEV), "10.00");
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_MIN), "50");
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_MAX), "70");
    EXPECT_EQ(dialog.Text(IDC_STAT_FOR_AVERAGE), "44.00");
    EXPECT_EQ(dialog.Text(IDC_STAT_FOR_STDDEV), "4.00");
    EXPECT_EQ(dialog.Text(IDC_STAT_FOR_MIN), "40");
    EXPECT_EQ(dialog.Text(IDC_STAT_FOR_MAX), "48");
    EXPECT_EQ(dialog.Text(IDC_STAT_AGAINST_AVERAGE), "27.00");
    EXPECT_EQ(dialog.Text(IDC_STAT_AGAINST_STDDEV), "6.08") << "sqrt(37)";
    EXPECT_EQ(dialog.Text(IDC_STAT_AGAINST_MIN), "20");
    EXPECT_EQ(dialog.Text(IDC_STAT_AGAINST_MAX), "31");
    EXPECT_EQ(dialog.Text(IDC_STAT_SEASONS), "Seen 3 times");
    EXPECT_EQ(dialog.Text(IDC_STAT_TACTIC), "Tactic: Attack442.tct");
}

TEST(StatisticsDialog, ShowsTheWonDrawnLostShares)
{
    Tactic tactic("Shares", kFiftySixtySeventy);
    Dialog dialog(tactic.get());
    EXPECT_EQ(dialog.Text(IDC_STAT_WON), "47.8%") << "22 of 46";
    EXPECT_EQ(dialog.Text(IDC_STAT_DRAWN), "28.3%") << "13 of 46";
    EXPECT_EQ(dialog.Text(IDC_STAT_LOST), "23.9%") << "11 of 46";

    Tactic none("NoRecord", {{40, 30, 50}, {41, 31, 51}});
    Dialog without(none.get());
    EXPECT_EQ(without.Text(IDC_STAT_WON), "0.0%");
    EXPECT_EQ(without.Text(IDC_STAT_DRAWN), "0.0%");
    EXPECT_EQ(without.Text(IDC_STAT_LOST), "0.0%");
}

TEST(StatisticsDialog, CutsALongNameTo119Characters)
{
    std::string name;
    for (int i = 0; i < 130; ++i)
        name += static_cast<char>('a' + i % 26);
    Tactic tactic(name, {{40, 30, 50}});
    Dialog dialog(tactic.get());
    std::string text = dialog.Text(IDC_STAT_TACTIC);
    EXPECT_EQ(text.size(), 119u);
    EXPECT_EQ(text, "Tactic: " + name.substr(0, 111)) << "no extension after the cut";
    EXPECT_EQ(dialog.Text(IDC_STAT_SEASONS), "Seen 1 times") << "the fields after the name are still filled";
}

TEST(StatisticsDialog, PointsHistogramOfThreeSeasons)
{
    Tactic tactic("Hist", kFiftySixtySeventy);
    Dialog dialog(tactic.get());
    // Bins 38, 48 and 58 hold 333 each: their bars and both neighbouring
    // half columns fill the height; the rest is empty.
    for (int x = 0; x < 144; ++x) {
        bool bar = false;
        for (int bin : {38, 48, 58})
            bar = bar || (x >= 2 * bin - 1 && x <= 2 * bin + 1);
        EXPECT_EQ(ChartColumn(PointsBars, x), bar ? Full() : Empty()) << "points histogram column " << x;
    }
    // Goals scored 40 in every season: bin 28 holds 1000.
    EXPECT_EQ(ChartColumn(ForBars, 56), Full());
    EXPECT_EQ(Drawn(ForBars), 300) << "columns 55, 56 and 57 only";
    // Goals conceded 30: bin 30 at columns 59 to 61.
    EXPECT_EQ(ChartColumn(AgainstBars, 60), Full());
    EXPECT_EQ(Drawn(AgainstBars), 300);
}

TEST(StatisticsDialog, HistogramShowsSharesBelowTenPercent)
{
    // 20 seasons, 1 at 30 points: 50 per mille, a bar 50 pixels high.
    std::vector<Season> seasons(19, Season{40, 30, 100});
    seasons.push_back(Season{40, 30, 30});
    Tactic tactic("Small", seasons);
    Dialog dialog(tactic.get());
    EXPECT_EQ(ChartColumn(PointsBars, 36), std::string(50, '.') + std::string(50, '#')) << "bin 18";
    EXPECT_EQ(ChartColumn(PointsBars, 37), std::string(75, '.') + std::string(25, '#')) << "(50 + 0) / 2";
    EXPECT_EQ(Drawn(PointsBars), 50 + 25 + 25) << "100 points lies beyond the visible bins";
}

TEST(StatisticsDialog, PointsRunningMeanOfThreeSeasons)
{
    Tactic tactic("Mean", kFiftySixtySeventy);
    Dialog dialog(tactic.get());
    // Rows 550 (columns 0-47) and 300 (48-95) lie below the image; 50 (96-143) is drawn.
    for (int x = 0; x < 95; ++x)
        EXPECT_EQ(ChartColumn(PointsMean, x), Empty()) << "column " << x;
    for (int x = 97; x < 144; ++x)
        EXPECT_EQ(ChartColumn(PointsMean, x), Row(50)) << "column " << x;
    EXPECT_EQ(Pixel(PointsMean, 96, 50), kBlack);
    EXPECT_EQ(Pixel(PointsMean, 96, 99), kBlack) << "the jump from row 300 enters from below";
    // Goals scored 40 in every season: the mean row all along.
    for (int x = 0; x < 144; ++x)
        EXPECT_EQ(ChartColumn(ForMean, x), Row(50)) << "goals scored column " << x;
}

TEST(StatisticsDialog, RunningMeanWithinOneUnit)
{
    // Goals conceded 1, 2: means 1 and 1.5, final 1.5: rows 75 then 50.
    Tactic tactic("Close", {{40, 1, 50}, {40, 2, 50}});
    Dialog dialog(tactic.get());
    EXPECT_EQ(ChartColumn(AgainstMean, 0), Row(75));
    EXPECT_EQ(ChartColumn(AgainstMean, 70), Row(75));
    EXPECT_EQ(ChartColumn(AgainstMean, 73), Row(50));
    EXPECT_EQ(ChartColumn(AgainstMean, 143), Row(50));
}

TEST(StatisticsDialog, OutOfRangeSeasonsAreSafe)
{
    Tactic tactic("Wild", {{INT32_MAX, INT32_MAX, INT32_MAX},
                           {INT32_MIN, -1, INT32_MIN},
                           {11, 144, 156},
                           {12, 0, 12},
                           {160, 500, -3}});
    int before = OffscreenImage_LiveCount();
    {
        Dialog dialog(tactic.get());
        ASSERT_NE(dialog.get(), nullptr);
        EXPECT_EQ(OffscreenImage_LiveCount(), before + 6);
        // One season in five falls into bin 0 of each histogram: 200 per mille.
        EXPECT_EQ(ChartColumn(ForBars, 0), Full());
        EXPECT_EQ(ChartColumn(ForBars, 1), Full());
        EXPECT_EQ(Drawn(ForBars), 200) << "nothing else";
        EXPECT_EQ(Drawn(AgainstBars), 200);
        EXPECT_EQ(Drawn(PointsBars), 200);
        EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_MAX), "2147483647");
        EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_MIN), "-2147483648");
        EXPECT_EQ(dialog.Text(IDC_STAT_SEASONS), "Seen 5 times");
        ShowWindow(dialog.get(), SW_SHOW);
        UpdateWindow(dialog.get());
        SendMessageA(dialog.get(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(OffscreenImage_LiveCount(), before);
}

TEST(StatisticsDialog, ASummaryWithoutSeasonsShowsZeros)
{
    // The command never opens such a tactic; the dialog stays sound anyway.
    Tactic tactic("Empty", {});
    Dialog dialog(tactic.get());
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_MIN), "0");
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_MAX), "0");
    EXPECT_EQ(dialog.Text(IDC_STAT_POINTS_STDDEV), "0.00");
    EXPECT_EQ(dialog.Text(IDC_STAT_SEASONS), "Seen 0 times");
    EXPECT_EQ(Drawn(PointsBars), 0);
    EXPECT_EQ(Drawn(PointsMean), 0);
}

TEST(StatisticsDialog, BothWaysOfClosingReleaseTheSixImages)
{
    Tactic tactic("Closing", kFiftySixtySeventy);
    int before = OffscreenImage_LiveCount();

    Dialog by_button(tactic.get());
    ShowWindow(by_button.get(), SW_SHOW);
    EXPECT_EQ(OffscreenImage_LiveCount(), before + 6) << "six images while open";
    for (int i = 0; i < kStatisticsChartCount; ++i)
        EXPECT_NE(StatisticsDialog_Image(i), nullptr) << "image " << i;
    SendMessageA(GetDlgItem(by_button.get(), IDC_STAT_CLOSE), BM_CLICK, 0, 0);
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "the Close button releases them";
    EXPECT_FALSE(IsWindowVisible(by_button.get())) << "the dialog ended";
    for (int i = 0; i < kStatisticsChartCount; ++i)
        EXPECT_EQ(StatisticsDialog_Image(i), nullptr) << "image " << i;

    Dialog by_close_box(tactic.get());
    ShowWindow(by_close_box.get(), SW_SHOW);
    EXPECT_EQ(OffscreenImage_LiveCount(), before + 6);
    SendMessageA(by_close_box.get(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "the close box releases them";
    EXPECT_FALSE(IsWindowVisible(by_close_box.get()));
}

TEST(StatisticsDialog, EscapeAndOtherCommandsDoNothing)
{
    Tactic tactic("Escape", kFiftySixtySeventy);
    int before = OffscreenImage_LiveCount();
    Dialog dialog(tactic.get());
    ShowWindow(dialog.get(), SW_SHOW);
    EXPECT_EQ(SendMessageA(dialog.get(), WM_COMMAND, IDCANCEL, 0), 0);
    EXPECT_EQ(SendMessageA(dialog.get(), WM_COMMAND, IDC_STAT_WON, 0), 0);
    EXPECT_TRUE(IsWindowVisible(dialog.get()));
    EXPECT_EQ(OffscreenImage_LiveCount(), before + 6);
    DestroyWindow(dialog.get());
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "destroying the window releases the images too";
}

TEST(StatisticsDialog, PaintCopiesTheChartsToTheirPlaces)
{
    Tactic tactic("Paint", kFiftySixtySeventy);
    Dialog dialog(tactic.get());
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
        {12 + 54, 140 + 99, kWhite, "beside it"},
        {174 + 60, 140 + 0, kBlack, "goals conceded bar of bin 30"},
        {12 + 10, 256 + 50, kBlack, "goals scored mean row"},
        {12 + 10, 256 + 49, kWhite, "above it"},
        {174 + 143, 256 + 50, kBlack, "goals conceded mean row, last column"},
        {336 + 120, 256 + 50, kBlack, "points mean row"},
        {336 + 20, 256 + 50, kWhite, "points mean before it settles"},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << p.what << " at (" << p.x << ", " << p.y << ")";
    ReleaseDC(dialog.get(), dc);
}

namespace {

// Drives a modal Statistics dialog from a thread timer: reads it once it
// shows and then presses its Close button.
struct ModalProbe {
    int ticks = 0;
    bool found = false;
    std::string tactic;
    int images = 0;
} g_probe;

void CALLBACK ProbeTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = FindWindowA("#32770", "Statistics");
    if (dialog && IsWindowVisible(dialog)) {
        char text[256] = "";
        GetDlgItemTextA(dialog, IDC_STAT_TACTIC, text, sizeof text);
        g_probe.found = true;
        g_probe.tactic = text;
        g_probe.images = 0;
        for (int i = 0; i < kStatisticsChartCount; ++i)
            g_probe.images += StatisticsDialog_Image(i) != nullptr;
        KillTimer(nullptr, id);
        SendMessageA(GetDlgItem(dialog, IDC_STAT_CLOSE), BM_CLICK, 0, 0);
    } else if (++g_probe.ticks > 500) {
        KillTimer(nullptr, id);
        if (dialog)
            EndDialog(dialog, 0);
    }
}

int RunCommand(HWND owner, const DArray* selection)
{
    g_probe = ModalProbe{};
    UINT_PTR timer = SetTimer(nullptr, 0, 10, ProbeTimer);
    int shown = Statistics_Command(owner, selection);
    KillTimer(nullptr, timer);
    Pump();
    return shown;
}

} // namespace

TEST(StatisticsDialog, CommandShowsTheTopmostSelectedTactic)
{
    Tactic first("First", kFiftySixtySeventy);
    Tactic second("Second", kFiftySixtySeventy);
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    int before = OffscreenImage_LiveCount();

    DArray* selection = DArray_Create(0);
    DArray_Append(selection, first.get());
    EXPECT_EQ(RunCommand(owner, selection), 1) << "a single selected tactic opens the dialog";
    EXPECT_TRUE(g_probe.found);
    EXPECT_EQ(g_probe.tactic, "Tactic: First.tct");
    EXPECT_EQ(g_probe.images, 6);
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "closed and released";

    DArray_Append(selection, second.get());
    EXPECT_EQ(RunCommand(owner, selection), 1);
    EXPECT_EQ(g_probe.tactic, "Tactic: First.tct") << "the topmost of two";
    EXPECT_EQ(first.get()->points_stats->count, 3) << "the summary is unchanged";
    EXPECT_EQ(first.get()->results->count, 3);

    DArray_Destroy(selection, nullptr);
    DestroyWindow(owner);
}

TEST(StatisticsDialog, CommandWithoutASelectionDoesNothing)
{
    DArray* empty = DArray_Create(0);
    EXPECT_EQ(RunCommand(nullptr, empty), 0);
    EXPECT_FALSE(g_probe.found) << "no dialog, no message";
    EXPECT_EQ(RunCommand(nullptr, nullptr), 0);
    EXPECT_FALSE(g_probe.found);

    Tactic none("Seasonless", {});
    DArray_Append(empty, none.get());
    EXPECT_EQ(RunCommand(nullptr, empty), 0) << "a tactic without seasons is not shown";
    EXPECT_FALSE(g_probe.found);
    DArray_Destroy(empty, nullptr);
}
