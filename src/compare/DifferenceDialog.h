// The Difference tool: tactic A (red) against tactic B (blue): the
// differences of their mean goals scored, goals conceded and points, the
// probability that A is better on each, and both formations on 24 pitches
// (12 situations without the ball, 12 with it), A's players joined to their
// counterparts in B.
#pragma once

#include <windows.h>

#include "support/DArray.h"

struct OffscreenImage;

// Procedure of dialog template IDD_DIFFERENCE. The creation parameter is a
// DArray of TacticSummary* (borrowed, not changed): its first tactic is A,
// its last B. One dialog exists at a time.
INT_PTR CALLBACK DifferenceDialog(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The Difference command: with nothing selected, says "Please select a
// tactic!" in a message box over owner; otherwise shows the dialog modally
// over owner for the selection (TacticSummary*, topmost first). Returns 1
// when the dialog was shown, 0 otherwise.
int Difference_Command(HWND owner, const DArray* selection);

// The open dialog's pitch panel of a ball state (0-1), zone column (0-2) and
// panel row (0-3, the top row shows zone row 3), or null when there is none.
// Owned by the dialog; for tests.
const OffscreenImage* DifferenceDialog_Panel(int ball_state, int zone_column, int panel_row);
