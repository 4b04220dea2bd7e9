#include "stats/StatisticsDialog.h"

#include "resources/resource.h"
#include "results/TacticBook.h"
#include "stats/GdiGuard.h"
#include "stats/OffscreenImage.h"
#include "stats/SeasonCharts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kTextSize = 120;
constexpr int kChartWidth = kSeasonChartColumns;
constexpr int kChartHeight = kSeasonChartRows;

// One chart: what it shows and where it is copied in the client area.
struct ChartPlace {
    SeasonMeasure measure;
    bool histogram; // else the running mean
    int x;
    int y;
};

const ChartPlace kCharts[kStatisticsChartCount] = {
    {SeasonMeasure::GoalsFor, true, 12, 140},
    {SeasonMeasure::GoalsAgainst, true, 174, 140},
    {SeasonMeasure::Points, true, 336, 140},
    {SeasonMeasure::GoalsFor, false, 12, 256},
    {SeasonMeasure::GoalsAgainst, false, 174, 256},
    {SeasonMeasure::Points, false, 336, 256},
};

// The value fields of one measure's group.
struct MeasureFields {
    SampleStats* TacticSummary::*stats;
    int average;
    int stddev;
    int min;
    int max;
};

const MeasureFields kMeasureFields[] = {
    {&TacticSummary::goals_for_stats, IDC_STAT_FOR_AVERAGE, IDC_STAT_FOR_STDDEV, IDC_STAT_FOR_MIN,
     IDC_STAT_FOR_MAX},
    {&TacticSummary::goals_against_stats, IDC_STAT_AGAINST_AVERAGE, IDC_STAT_AGAINST_STDDEV,
     IDC_STAT_AGAINST_MIN, IDC_STAT_AGAINST_MAX},
    {&TacticSummary::points_stats, IDC_STAT_POINTS_AVERAGE, IDC_STAT_POINTS_STDDEV, IDC_STAT_POINTS_MIN,
     IDC_STAT_POINTS_MAX},
};

// The share fields and the share each shows.
struct ShareField {
    double (*share)(const TacticSummary*);
    int id;
};

const ShareField kShareFields[] = {
    {TacticSummary_WonShare, IDC_STAT_WON},
    {TacticSummary_DrawnShare, IDC_STAT_DRAWN},
    {TacticSummary_LostShare, IDC_STAT_LOST},
};

// Module state: one dialog at a time. The summary is borrowed from the
// caller; the images are owned from WM_INITDIALOG until the dialog closes.
const TacticSummary* g_summary = nullptr;
OffscreenImage* g_images[kStatisticsChartCount] = {};
char g_text[kTextSize];

// A number fit to show: what is no finite number shows as 0.
double Shown(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

// Puts g_text into the control id of the dialog.
void ShowText(HWND window, int id)
{
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(g_text));
}

void ShowNumber(HWND window, int id, const char* format, double value)
{
    std::snprintf(g_text, sizeof g_text, format, Shown(value));
    ShowText(window, id);
}

void ShowMeasure(HWND window, const SampleStats* stats, const MeasureFields& fields)
{
    // Without a season the extremes hold no values yet.
    const bool any = stats->count > 0;
    ShowNumber(window, fields.average, "%.2lf", stats->mean);
    ShowNumber(window, fields.stddev, "%.2lf", std::sqrt(std::max(SampleStats_Variance(stats), 0.0)));
    ShowNumber(window, fields.min, "%.0lf", any ? stats->min : 0.0);
    ShowNumber(window, fields.max, "%.0lf", any ? stats->max : 0.0);
}

void ShowTexts(HWND window, const TacticSummary* summary)
{
    for (const MeasureFields& fields : kMeasureFields)
        ShowMeasure(window, summary->*fields.stats, fields);

    std::snprintf(g_text, sizeof g_text, "Tactic: %s.tct", summary->name ? summary->name : "");
    ShowText(window, IDC_STAT_TACTIC);

    std::snprintf(g_text, sizeof g_text, "Seen %i times", static_cast<int>(summary->results->count));
    ShowText(window, IDC_STAT_SEASONS);

    for (const ShareField& field : kShareFields)
        ShowNumber(window, field.id, "%.1lf%%", 100.0 * field.share(summary));
}

void ReleaseImages()
{
    for (OffscreenImage*& image : g_images) {
        OffscreenImage_Destroy(image);
        image = nullptr;
    }
}

// Draws each chart once into a new image of its own.
void BuildCharts(HWND window, const TacticSummary* summary)
{
    ReleaseImages();
    int32_t values[kSeasonChartColumns];
    for (int i = 0; i < kStatisticsChartCount; ++i) {
        const ChartPlace& chart = kCharts[i];
        g_images[i] = OffscreenImage_Create(window, kChartWidth, kChartHeight);
        if (chart.histogram) {
            SeasonCharts_Histogram(summary->results, chart.measure, values);
            OffscreenImage_Bars(g_images[i], values, kSeasonChartColumns, 0, 0, 0);
        } else {
            int rows = SeasonCharts_RunningMeanRows(summary->results, chart.measure, values);
            OffscreenImage_Polyline(g_images[i], values, rows);
        }
    }
}

INT_PTR OnInitDialog(HWND window, LPARAM lparam)
{
    g_summary = reinterpret_cast<const TacticSummary*>(lparam);
    if (g_summary) {
        ShowTexts(window, g_summary);
        BuildCharts(window, g_summary);
    }
    return TRUE;
}

INT_PTR OnPaint(HWND window)
{
    PaintDC paint(window);
    for (int i = 0; i < kStatisticsChartCount; ++i)
        OffscreenImage_Blit(g_images[i], kCharts[i].x, kCharts[i].y);
    return FALSE;
}

INT_PTR Close(HWND window)
{
    ReleaseImages();
    g_summary = nullptr;
    EndDialog(window, 0);
    return TRUE;
}

INT_PTR OnCommand(HWND window, WPARAM wparam)
{
    if (LOWORD(wparam) == IDC_STAT_CLOSE)
        return Close(window);
    return FALSE;
}

} // namespace

INT_PTR CALLBACK StatisticsDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window, lparam);
    case WM_PAINT:
        return OnPaint(window);
    case WM_CLOSE:
        return Close(window);
    case WM_COMMAND:
        return OnCommand(window, wparam);
    case WM_DESTROY:
        // However the dialog goes, its images go with it.
        ReleaseImages();
        g_summary = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

int Statistics_Command(HWND owner, const DArray* selection)
{
    if (!selection || selection->count < 1)
        return 0;
    const auto* summary = static_cast<const TacticSummary*>(selection->elems[0]);
    if (!summary || !summary->results || summary->results->count < 1)
        return 0;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_STATISTICS), owner,
                                     StatisticsDialogProc, reinterpret_cast<LPARAM>(summary));
    return result == -1 ? 0 : 1;
}

const OffscreenImage* StatisticsDialog_Image(int index)
{
    if (index < 0 || index >= kStatisticsChartCount)
        return nullptr;
    return g_images[index];
}
