// The Statistics dialog: averages, spreads and extremes of one tactic's goals
// scored, goals conceded and points, its number of seasons and won/drawn/lost
// shares, and six charts (a histogram and a running mean per measure).
#pragma once

#include <windows.h>

#include "support/DArray.h"

struct OffscreenImage;

// The dialog's charts, in the order they are painted.
constexpr int kStatisticsChartCount = 6;

// Procedure of dialog template IDD_STATISTICS. The creation parameter is the
// TacticSummary to show; the dialog reads it and changes nothing. One dialog
// exists at a time.
INT_PTR CALLBACK StatisticsDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The Statistics command: when at least one tactic is selected (selection
// holds TacticSummary*, topmost first), shows the topmost one modally over
// owner. Returns 1 when the dialog was shown, 0 when nothing was selected
// (no message then), the tactic has no season or the dialog could not be made.
int Statistics_Command(HWND owner, const DArray* selection);

// The open dialog's chart image at index 0 .. 5 (histograms of goals scored,
// goals conceded and points, then their running means), or null when there
// is none. Owned by the dialog; for tests.
const OffscreenImage* StatisticsDialog_Image(int index);
