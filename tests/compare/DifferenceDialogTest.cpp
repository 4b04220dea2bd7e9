// The Difference tool under Wine: its template, texts, colours, panels,
// painting, closing and the command that opens it.
#include "compare/DifferenceDialog.h"

#include "compare/PanelPixels.h"
#include "compare/Pitch.h"
#include "resources/resource.h"
#include "results/TacticBook.h"
#include "stats/OffscreenImage.h"
#include "tctwriter/TctWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kOlive = RGB(100, 100, 0);
constexpr COLORREF kAmber = RGB(255, 200, 0);
constexpr COLORREF kLine = RGB(0, 128, 0);

const int kValueIds[] = {IDC_DIFF_GOALS,  IDC_DIFF_GOALS_PROB,  IDC_DIFF_CONCEDED,
                         IDC_DIFF_CONCEDED_PROB, IDC_DIFF_POINTS, IDC_DIFF_POINTS_PROB};

// A tactic summary with values per season and, if given, a formation.
class Tactic {
public:
    Tactic(const char* name, std::initializer_list<double> goals, std::initializer_list<double> conceded,
           std::initializer_list<double> points, const TctBuilder* formation = nullptr)
        : s_(TacticSummary_Create(name))
    {
        for (double v : goals)
            SampleStats_Add(s_->goals_for_stats, v);
        for (double v : conceded)
            SampleStats_Add(s_->goals_against_stats, v);
        for (double v : points)
            SampleStats_Add(s_->points_stats, v);
        if (formation) {
            s_->formation = Formation_Create();
            std::memcpy(s_->formation->bytes, formation->Bytes().data(), kFormationBytes);
        }
    }
    ~Tactic() { TacticSummary_Destroy(s_); }
    Tactic(const Tactic&) = delete;
    Tactic& operator=(const Tactic&) = delete;
    TacticSummary* get() const { return s_; }

private:
    TacticSummary* s_;
};

DArray* Selection(std::initializer_list<const Tactic*> tactics)
{
    DArray* selection = DArray_Create(0);
    for (const Tactic* t : tactics)
        DArray_Append(selection, t->get());
    return selection;
}

// The dialog created modelessly for a selection, destroyed with the test.
class Dialog {
public:
    explicit Dialog(std::initializer_list<const Tactic*> tactics)
        : selection_(Selection(tactics)),
          window_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DIFFERENCE), nullptr,
                                     DifferenceDialog, reinterpret_cast<LPARAM>(selection_)))
    {
    }
    ~Dialog()
    {
        if (IsWindow(window_))
            DestroyWindow(window_);
        DArray_Destroy(selection_, nullptr);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    HWND get() const { return window_; }

    std::string Text(int id) const
    {
        char buffer[256] = "";
        GetDlgItemTextA(window_, id, buffer, sizeof buffer);
        return buffer;
    }

    // What the dialog answers when a static asks for its colours.
    struct Answer {
        COLORREF text;
        int background_mode;
        HBRUSH brush;
    };
    Answer Ask(int id) const
    {
        HDC dc = CreateCompatibleDC(nullptr);
        SetTextColor(dc, RGB(1, 2, 3));
        auto brush = SendMessageA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(GetDlgItem(window_, id)));
        Answer answer{GetTextColor(dc), GetBkMode(dc), reinterpret_cast<HBRUSH>(brush)};
        DeleteDC(dc);
        return answer;
    }
    // The text colour of a coloured static, drawn on a transparent background.
    COLORREF Colour(int id) const
    {
        Answer answer = Ask(id);
        EXPECT_EQ(answer.background_mode, TRANSPARENT) << "control " << id;
        EXPECT_NE(answer.brush, nullptr) << "control " << id;
        return answer.text;
    }

private:
    DArray* selection_;
    HWND window_;
};

void Pump()
{
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Pixels of the open dialog's panel.
PanelPixels Panel(int s, int c, int k)
{
    return PanelPixels(DifferenceDialog_Panel(s, c, k));
}

// The panel an empty pitch gives.
PanelPixels EmptyPitch()
{
    OffscreenImage* image = OffscreenImage_Create(nullptr, 130, 170);
    Pitch_DrawField(image);
    PanelPixels pixels(image);
    OffscreenImage_Destroy(image);
    return pixels;
}

// Every player on his own spot in every situation.
TctBuilder Spread()
{
    TctBuilder b;
    for (int p = 0; p < 11; ++p)
        for (int s = 0; s < 2; ++s)
            for (int c = 0; c < 3; ++c)
                for (int r = 0; r < 4; ++r)
                    b.Set(p, s, c, r, 2 * p + c + s, 3 * p + r);
    return b;
}

// Ten seasons alternating between two values.
#define TEN(x, y) {x, y, x, y, x, y, x, y, x, y}

struct Control {
    int id;
    const char* cls;
    bool right;
    const char* text;
    RECT units;
};

const Control kControls[] = {
    {IDC_DIFF_CLOSE, "Button", false, "Close", {656, 448, 45, 15}},
    {IDC_DIFF_WITHOUT_BALL, "Static", false, "Without ball", {8, 4, 40, 8}},
    {IDC_DIFF_WITH_BALL, "Static", false, "With ball", {292, 4, 40, 8}},
    {IDC_DIFF_A_LABEL, "Static", false, "A = ", {584, 4, 12, 8}},
    {IDC_DIFF_A_NAME, "Static", false, "", {600, 4, 100, 8}},
    {IDC_DIFF_B_LABEL, "Static", false, "B =", {584, 16, 12, 8}},
    {IDC_DIFF_B_NAME, "Static", false, "  ", {600, 16, 100, 8}},
    {IDC_DIFF_GOALS_LABEL, "Static", false, "Goals scored  (per season):", {584, 32, 96, 8}},
    {IDC_DIFF_GOALS, "Static", true, "", {680, 32, 20, 8}},
    {IDC_DIFF_GOALS_PROB_LABEL, "Static", false, "Prob. A scores more than B:", {584, 44, 96, 8}},
    {IDC_DIFF_GOALS_PROB, "Static", true, "", {680, 44, 20, 8}},
    {IDC_DIFF_CONCEDED_LABEL, "Static", false, "Goals conceded (per season):", {584, 56, 96, 8}},
    {IDC_DIFF_CONCEDED, "Static", true, "", {684, 56, 16, 8}},
    {IDC_DIFF_CONCEDED_PROB_LABEL, "Static", false, "Prob. A concedes less than B:", {584, 68, 96, 8}},
    {IDC_DIFF_CONCEDED_PROB, "Static", true, "", {684, 68, 16, 8}},
    {IDC_DIFF_POINTS_LABEL, "Static", false, "Average points (per season):", {584, 80, 96, 8}},
    {IDC_DIFF_POINTS, "Static", true, "", {684, 80, 16, 8}},
    {IDC_DIFF_POINTS_PROB_LABEL, "Static", false, "Prob. A gets more pts than B:", {584, 92, 96, 8}},
    {IDC_DIFF_POINTS_PROB, "Static", true, "", {684, 92, 16, 8}},
};

} // namespace

TEST(DifferenceDialog, TemplateAsTheLayoutGivesIt)
{
    Dialog dialog({}); // nothing to compare: the template's own texts stay
    ASSERT_NE(dialog.get(), nullptr);
    char caption[64] = "";
    GetWindowTextA(dialog.get(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Difference tool");
    auto style = static_cast<DWORD>(GetWindowLongPtrA(dialog.get(), GWL_STYLE));
    for (DWORD bit : {DWORD{WS_POPUP}, DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{WS_VISIBLE}})
        EXPECT_EQ(style & bit, bit) << "style bit 0x" << std::hex << bit;
    EXPECT_EQ(style & WS_THICKFRAME, 0u) << "not resizable";
    for (DWORD bit : {DWORD{DS_MODALFRAME}, DWORD{DS_CONTEXTHELP}, DWORD{DS_3DLOOK}, DWORD{DS_FIXEDSYS}})
        EXPECT_EQ(style & bit, bit) << "dialog style bit 0x" << std::hex << bit;

    RECT client{0, 0, 706, 466};
    MapDialogRect(dialog.get(), &client);
    RECT got{};
    GetClientRect(dialog.get(), &got);
    EXPECT_EQ(got.right, client.right) << "client width of 706 units";
    EXPECT_EQ(got.bottom, client.bottom) << "client height of 466 units";

    int children = 0;
    for (HWND child = GetWindow(dialog.get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, static_cast<int>(std::size(kControls))) << "no control more or less";

    for (const Control& c : kControls) {
        HWND control = GetDlgItem(dialog.get(), c.id);
        ASSERT_NE(control, nullptr) << "control " << c.id;
        char cls[32] = "";
        GetClassNameA(control, cls, sizeof cls);
        EXPECT_EQ(_stricmp(cls, c.cls), 0) << "class of " << c.id << ": " << cls;
        EXPECT_EQ(dialog.Text(c.id), c.text) << "text of " << c.id;
        auto control_style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
        EXPECT_TRUE(control_style & WS_VISIBLE) << "control " << c.id;
        if (std::strcmp(c.cls, "Static") == 0) {
            EXPECT_EQ(control_style & SS_TYPEMASK, static_cast<DWORD>(c.right ? SS_RIGHT : SS_LEFT))
                << "alignment of " << c.id;
        }
        RECT want{c.units.left, c.units.top, c.units.left + c.units.right, c.units.top + c.units.bottom};
        MapDialogRect(dialog.get(), &want);
        RECT at{};
        GetWindowRect(control, &at);
        MapWindowPoints(nullptr, dialog.get(), reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(at.left, want.left) << "left of " << c.id;
        EXPECT_EQ(at.top, want.top) << "top of " << c.id;
        EXPECT_EQ(at.right, want.right) << "right of " << c.id;
        EXPECT_EQ(at.bottom, want.bottom) << "bottom of " << c.id;
    }
    EXPECT_EQ(DifferenceDialog_Panel(0, 0, 0), nullptr) << "no panels without a tactic";
}

TEST(DifferenceDialog, ATacticAgainstItself)
{
    TctBuilder spread = Spread();
    Tactic tactic("Counter442", {50, 60, 55}, {30, 40, 20}, {60, 70, 65}, &spread);
    Dialog dialog({&tactic});
    EXPECT_EQ(dialog.Text(IDC_DIFF_A_NAME), "Counter442");
    EXPECT_EQ(dialog.Text(IDC_DIFF_B_NAME), "Counter442");
    EXPECT_EQ(dialog.Colour(IDC_DIFF_A_NAME), kRed);
    EXPECT_EQ(dialog.Colour(IDC_DIFF_B_NAME), kBlue);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(dialog.Text(kValueIds[i]), i % 2 ? "50%" : "+0.0") << "control " << kValueIds[i];
        EXPECT_EQ(dialog.Colour(kValueIds[i]), kOlive) << "control " << kValueIds[i];
    }
    EXPECT_EQ(dialog.Ask(IDC_DIFF_GOALS_LABEL).text, GetSysColor(COLOR_WINDOWTEXT)) << "labels keep theirs";
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(Panel(s, c, k).Count(kAmber), 0) << "every player unchanged, panel " << s << c << k;
}

TEST(DifferenceDialog, EachFigureInItsFieldAndColour)
{
    Tactic a("Alpha", TEN(60, 61), TEN(29.8, 30.2), TEN(50, 51));
    Tactic b("Beta", TEN(40, 41), TEN(30.1, 30.5), TEN(70, 71));
    Dialog dialog({&a, &b});
    struct Expect {
        int id;
        const char* text;
        COLORREF colour;
    } expected[] = {
        {IDC_DIFF_GOALS, "+20.0", kRed},    {IDC_DIFF_GOALS_PROB, "99%", kRed},
        {IDC_DIFF_CONCEDED, "-0.3", kRed},  {IDC_DIFF_CONCEDED_PROB, "99%", kRed},
        {IDC_DIFF_POINTS, "-20.0", kBlue},  {IDC_DIFF_POINTS_PROB, "0%", kBlue},
        {IDC_DIFF_A_NAME, "Alpha", kRed},   {IDC_DIFF_B_NAME, "Beta", kBlue},
    };
    for (const Expect& e : expected) {
        EXPECT_EQ(dialog.Text(e.id), e.text) << "control " << e.id;
        EXPECT_EQ(dialog.Colour(e.id), e.colour) << "control " << e.id;
    }
}

TEST(DifferenceDialog, SingleSeasonAndThreeSelected)
{
    Tactic single("Single", {50}, {30}, {60});
    Tactic middle("Middle", {1, 2}, {1, 2}, {1, 2});
    Tactic last("Last", {40, 44}, {30, 31}, {50, 55});
    Dialog dialog({&single, &middle, &last});
    EXPECT_EQ(dialog.Text(IDC_DIFF_A_NAME), "Single") << "the first";
    EXPECT_EQ(dialog.Text(IDC_DIFF_B_NAME), "Last") << "the third; the second is ignored";
    EXPECT_EQ(dialog.Text(IDC_DIFF_GOALS), "+8.0");
    for (int id : {IDC_DIFF_GOALS_PROB, IDC_DIFF_CONCEDED_PROB, IDC_DIFF_POINTS_PROB}) {
        EXPECT_EQ(dialog.Text(id), "n/a") << "control " << id;
        EXPECT_EQ(dialog.Colour(id), kOlive) << "control " << id;
    }
}

TEST(DifferenceDialog, WithoutAFormationThePitchesAreEmpty)
{
    TctBuilder spread = Spread();
    Tactic with("With", {50, 60}, {30, 40}, {60, 70}, &spread);
    Tactic without("Without", {40, 50}, {30, 40}, {60, 70});
    Dialog dialog({&with, &without});
    EXPECT_EQ(dialog.Text(IDC_DIFF_GOALS), "+10.0") << "the numbers are still shown";
    const PanelPixels empty = EmptyPitch();
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                EXPECT_TRUE(Panel(s, c, k) == empty) << "panel " << s << c << k;
}

TEST(DifferenceDialog, EachPanelShowsItsSituationInItsPlace)
{
    // One player of B stands elsewhere with the ball, ball in zone column 2,
    // zone row 0: the bottom right panel of the "With ball" group.
    TctBuilder a_positions = Spread();
    TctBuilder b_positions = Spread();
    b_positions.Set(4, 1, 2, 0, 20, 30);
    Tactic a("A", {1, 2}, {1, 2}, {1, 2}, &a_positions);
    Tactic b("B", {1, 2}, {1, 2}, {1, 2}, &b_positions);
    Dialog dialog({&a, &b});
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(Panel(s, c, k).Count(kAmber) > 0, s == 1 && c == 2 && k == 3) << "panel " << s << c << k;

    SetWindowPos(dialog.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(dialog.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
    HDC dc = GetDC(dialog.get());
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k) {
                const int x = 16 + 430 * s + 138 * c;
                const int y = 20 + 178 * k;
                EXPECT_EQ(GetPixel(dc, x + 65, y + 5), kLine) << "goal line of panel " << s << c << k;
                EXPECT_EQ(GetPixel(dc, x + 5, y + 85), kLine) << "halfway line of panel " << s << c << k;
                EXPECT_NE(GetPixel(dc, x - 1, y + 85), kLine) << "left of panel " << s << c << k;
                EXPECT_NE(GetPixel(dc, x + 65, y - 1), kLine) << "above panel " << s << c << k;
            }
    ReleaseDC(dialog.get(), dc);
}

TEST(DifferenceDialog, MatchedPlayersAreJoined)
{
    // B is A with players 3 and 7 exchanged: the pairing finds them, so no
    // player moves.
    TctBuilder a_positions = Spread();
    TctBuilder b_positions = Spread();
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 4; ++r) {
                b_positions.Set(3, s, c, r, a_positions.X(7, s, c, r), a_positions.Y(7, s, c, r));
                b_positions.Set(7, s, c, r, a_positions.X(3, s, c, r), a_positions.Y(3, s, c, r));
            }
    Tactic a("A", {1, 2}, {1, 2}, {1, 2}, &a_positions);
    Tactic b("B", {1, 2}, {1, 2}, {1, 2}, &b_positions);
    Dialog dialog({&a, &b});
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(Panel(s, c, k).Count(kAmber), 0) << "panel " << s << c << k;
}

TEST(DifferenceDialog, EveryWayOfClosingReleasesPanelsAndBrush)
{
    Tactic tactic("Closing", {1, 2}, {1, 2}, {1, 2});
    const int before = OffscreenImage_LiveCount();
    struct Way {
        UINT message;
        WPARAM wparam;
        const char* what;
    } ways[] = {
        {WM_COMMAND, IDC_DIFF_CLOSE, "the Close button"},
        {WM_COMMAND, IDCANCEL, "Esc"},
        {WM_SYSCOMMAND, SC_CLOSE, "the close box"},
    };
    for (const Way& way : ways) {
        Dialog dialog({&tactic});
        EXPECT_EQ(OffscreenImage_LiveCount(), before + 24) << way.what;
        HBRUSH first = dialog.Ask(IDC_DIFF_GOALS).brush;
        EXPECT_NE(first, nullptr);
        EXPECT_EQ(dialog.Ask(IDC_DIFF_A_NAME).brush, first) << "one brush for the dialog's lifetime";
        EXPECT_EQ(SendMessageA(dialog.get(), WM_COMMAND, IDC_DIFF_GOALS_LABEL, 0), 0) << "other commands";
        EXPECT_EQ(OffscreenImage_LiveCount(), before + 24);

        if (way.message == WM_COMMAND && way.wparam == IDC_DIFF_CLOSE)
            SendMessageA(GetDlgItem(dialog.get(), IDC_DIFF_CLOSE), BM_CLICK, 0, 0);
        else
            SendMessageA(dialog.get(), way.message, way.wparam, 0);
        EXPECT_EQ(OffscreenImage_LiveCount(), before) << way.what << " releases the panels";
        EXPECT_EQ(DifferenceDialog_Panel(0, 0, 0), nullptr) << way.what;
        EXPECT_EQ(GetObjectType(first), 0u) << way.what << " releases the brush";
        EXPECT_FALSE(IsWindowVisible(dialog.get())) << way.what << " ends the dialog";
    }
}

namespace {

// A top-level window of this thread with the given caption. (Tests run in
// parallel processes, each showing dialogs of the same captions.)
HWND FindOwnWindow(const char* caption)
{
    struct Search {
        const char* caption;
        HWND found;
    } search{caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char text[64] = "";
            GetWindowTextA(window, text, sizeof text);
            if (std::strcmp(text, s->caption) != 0)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Drives the modal dialog from a thread timer: reads it once it shows, then
// presses Escape.
struct ModalProbe {
    int ticks = 0;
    bool found = false;
    std::string a;
    std::string b;
    int panels = 0;
} g_probe;

void CALLBACK ProbeTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = FindOwnWindow("Difference tool");
    if (dialog && IsWindowVisible(dialog)) {
        char text[256] = "";
        GetDlgItemTextA(dialog, IDC_DIFF_A_NAME, text, sizeof text);
        g_probe.a = text;
        GetDlgItemTextA(dialog, IDC_DIFF_B_NAME, text, sizeof text);
        g_probe.b = text;
        g_probe.found = true;
        g_probe.panels = OffscreenImage_LiveCount();
        KillTimer(nullptr, id);
        HWND focus = GetFocus();
        PostMessageA(focus ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (++g_probe.ticks > 500) {
        KillTimer(nullptr, id);
        if (dialog)
            EndDialog(dialog, 0);
    }
}

std::string note_text;
void CALLBACK AnswerNote(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = FindOwnWindow("Note");
    if (!box)
        return;
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    note_text = text;
    KillTimer(nullptr, id);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

} // namespace

TEST(DifferenceDialog, CommandComparesTheFirstAndTheLastSelected)
{
    Tactic first("First", {1, 2}, {1, 2}, {1, 2});
    Tactic second("Second", {1, 2}, {1, 2}, {1, 2});
    Tactic third("Third", {1, 2}, {1, 2}, {1, 2});
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    const int before = OffscreenImage_LiveCount();
    DArray* selection = Selection({&first, &second, &third});

    g_probe = ModalProbe{};
    UINT_PTR timer = SetTimer(nullptr, 0, 10, ProbeTimer);
    EXPECT_EQ(Difference_Command(owner, selection), 1);
    KillTimer(nullptr, timer);
    Pump();
    EXPECT_TRUE(g_probe.found);
    EXPECT_EQ(g_probe.a, "First");
    EXPECT_EQ(g_probe.b, "Third");
    EXPECT_EQ(g_probe.panels, before + 24) << "24 panels while open";
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "Esc closed it and released them";
    EXPECT_EQ(selection->count, 3) << "the selection is unchanged";

    DArray* empty = DArray_Create(0);
    note_text.clear();
    g_probe = ModalProbe{};
    timer = SetTimer(nullptr, 0, 50, AnswerNote);
    EXPECT_EQ(Difference_Command(owner, empty), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(note_text, "Please select a tactic!\n");
    EXPECT_FALSE(g_probe.found) << "no dialog";

    DArray_Destroy(empty, nullptr);
    DArray_Destroy(selection, nullptr);
    DestroyWindow(owner);
}
