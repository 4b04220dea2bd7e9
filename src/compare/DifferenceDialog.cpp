#include "compare/DifferenceDialog.h"

#include "compare/DifferenceFigures.h"
#include "compare/DifferenceText.h"
#include "compare/Pitch.h"
#include "compare/PlayerMatch.h"
#include "resources/resource.h"
#include "results/TacticBook.h"
#include "stats/GdiGuard.h"
#include "stats/OffscreenImage.h"
#include "support/NumVector.h"

namespace {

constexpr int kPanelWidth = 130;
constexpr int kPanelHeight = 170;
// Panel [s][c][k] sits at (16 + 430 s + 138 c, 20 + 178 k) in the client area.
constexpr int kPanelLeft = 16;
constexpr int kPanelTop = 20;
constexpr int kBallStateStep = 430;
constexpr int kColumnStep = 138;
constexpr int kRowStep = 178;

constexpr const char* kNoteCaption = "Note";
constexpr const char* kSelectMessage = "Please select a tactic!\n";

// The value fields, in the order of DifferenceValue.
const int kValueIds[kDifferenceValueCount] = {
    IDC_DIFF_GOALS,  IDC_DIFF_GOALS_PROB,  IDC_DIFF_CONCEDED,
    IDC_DIFF_CONCEDED_PROB, IDC_DIFF_POINTS, IDC_DIFF_POINTS_PROB,
};

// A static drawn in a colour of its own.
struct ColouredText {
    int id;
    COLORREF colour;
};
constexpr int kColouredCount = 2 + kDifferenceValueCount;

using Panels = OffscreenImage* [kFormationBallStates][kFormationZoneColumns][kFormationZoneRows];

// Module state: one dialog at a time. The selection is borrowed from the
// caller; the panels and the background brush are owned from WM_INITDIALOG
// until the dialog closes.
const DArray* g_selection = nullptr;
Panels g_panels = {};
ColouredText g_coloured[kColouredCount] = {};
HBRUSH g_background = nullptr;
char g_text[32];

void SetText(HWND window, int id, const char* text)
{
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void ReleasePanels()
{
    for (auto& columns : g_panels)
        for (auto& rows : columns)
            for (OffscreenImage*& panel : rows) {
                OffscreenImage_Destroy(panel);
                panel = nullptr;
            }
}

void ReleaseState()
{
    ReleasePanels();
    if (g_background)
        DeleteObject(g_background);
    g_background = nullptr;
    g_selection = nullptr;
}

// Draws the 24 pitches once; players only when both tactics have a formation.
void PaintPitches(HWND window, const TacticSummary* a, const TacticSummary* b)
{
    int32_t* match = Formation_MatchPlayers(a->formation, b->formation); // ours to free
    const bool players = a->formation && b->formation;
    for (int s = 0; s < kFormationBallStates; ++s)
        for (int c = 0; c < kFormationZoneColumns; ++c)
            for (int k = 0; k < kFormationZoneRows; ++k) {
                OffscreenImage* panel = OffscreenImage_Create(window, kPanelWidth, kPanelHeight);
                g_panels[s][c][k] = panel;
                Pitch_DrawField(panel);
                if (players)
                    Pitch_DrawPlayers(panel, a->formation, b->formation, s, c, k, match);
            }
    IntVector_Free(match);
}

void ShowFigures(HWND window, const TacticSummary* a, const TacticSummary* b)
{
    const DifferenceFigures figures = DifferenceFigures_Compute(a, b);
    for (int i = 0; i < kDifferenceValueCount; ++i) {
        uint32_t colour = 0;
        DifferenceFigures_Show(&figures, static_cast<DifferenceValue>(i), g_text, sizeof g_text, &colour);
        g_coloured[2 + i] = {kValueIds[i], colour};
        SetText(window, kValueIds[i], g_text);
    }
}

const char* NameOf(const TacticSummary* summary)
{
    return summary->name ? summary->name : "";
}

INT_PTR OnInitDialog(HWND window, LPARAM lparam)
{
    ReleaseState();
    g_selection = reinterpret_cast<const DArray*>(lparam);
    g_background = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    g_coloured[0] = {IDC_DIFF_A_NAME, kTacticAColour};
    g_coloured[1] = {IDC_DIFF_B_NAME, kTacticBColour};
    for (int i = 0; i < kDifferenceValueCount; ++i)
        g_coloured[2 + i] = {kValueIds[i], kNeutralColour};

    const DifferencePair pair = DifferencePair_Choose(g_selection);
    if (pair.a) {
        PaintPitches(window, pair.a, pair.b);
        ShowFigures(window, pair.a, pair.b);
        SetText(window, IDC_DIFF_A_NAME, NameOf(pair.a));
    }
    if (pair.b)
        SetText(window, IDC_DIFF_B_NAME, NameOf(pair.b));
    return TRUE;
}

INT_PTR OnPaint(HWND window)
{
    PaintDC paint(window);
    for (int s = 0; s < kFormationBallStates; ++s)
        for (int c = 0; c < kFormationZoneColumns; ++c)
            for (int k = 0; k < kFormationZoneRows; ++k)
                OffscreenImage_Blit(g_panels[s][c][k], kPanelLeft + kBallStateStep * s + kColumnStep * c,
                                    kPanelTop + kRowStep * k);
    return FALSE;
}

INT_PTR OnCtlColorStatic(HWND window, HDC dc, HWND control)
{
    for (const ColouredText& text : g_coloured) {
        if (text.id != 0 && GetDlgItem(window, text.id) == control) {
            if (!g_background)
                return FALSE;
            SetTextColor(dc, text.colour);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<INT_PTR>(g_background);
        }
    }
    return FALSE;
}

INT_PTR Close(HWND window)
{
    ReleaseState();
    EndDialog(window, 0);
    return TRUE;
}

INT_PTR OnCommand(HWND window, WPARAM wparam)
{
    // The Close button; Esc sends the same command.
    if (LOWORD(wparam) == IDC_DIFF_CLOSE)
        return Close(window);
    return FALSE;
}

} // namespace

INT_PTR CALLBACK DifferenceDialog(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window, lparam);
    case WM_PAINT:
        return OnPaint(window);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(window, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_CLOSE:
        return Close(window);
    case WM_COMMAND:
        return OnCommand(window, wparam);
    case WM_DESTROY:
        // However the dialog goes, its panels and brush go with it.
        ReleaseState();
        return FALSE;
    default:
        return FALSE;
    }
}

int Difference_Command(HWND owner, const DArray* selection)
{
    if (!DifferencePair_Choose(selection).a) {
        MessageBoxA(owner, kSelectMessage, kNoteCaption, MB_OK);
        return 0;
    }
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DIFFERENCE), owner,
                                     DifferenceDialog, reinterpret_cast<LPARAM>(selection));
    return result == -1 ? 0 : 1;
}

const OffscreenImage* DifferenceDialog_Panel(int ball_state, int zone_column, int panel_row)
{
    if (ball_state < 0 || ball_state >= kFormationBallStates || zone_column < 0 ||
        zone_column >= kFormationZoneColumns || panel_row < 0 || panel_row >= kFormationZoneRows)
        return nullptr;
    return g_panels[ball_state][zone_column][panel_row];
}
