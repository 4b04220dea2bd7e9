#include "compare/DifferenceDialog.h"

#include "compare/PanelPixels.h"
#include "compare/Pitch.h"
#include "resources/resource.h"
#include "results/TacticBook.h"
#include "tctwriter/TctWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace {

// A tactic with values per season and, if given, a formation.
struct Tactic {
    TacticSummary* s;
    Tactic(const char* name, std::vector<double> goals, std::vector<double> conceded, std::vector<double> points,
           const TctBuilder* formation = nullptr)
        : s(TacticSummary_Create(name))
    {
        for (auto [values, stats] : {std::pair{&goals, s->goals_for_stats}, {&conceded, s->goals_against_stats},
                                     {&points, s->points_stats}})
            for (double v : *values)
                SampleStats_Add(stats, v);
        s->formation = formation ? Formation_Create() : nullptr;
        if (formation)
            std::memcpy(s->formation->bytes, formation->Bytes().data(), kFormationBytes);
    }
    ~Tactic() { TacticSummary_Destroy(s); }
};

DArray* Chosen(std::vector<const Tactic*> tactics)
{
    DArray* selection = DArray_Create(0);
    for (const Tactic* t : tactics)
        DArray_Append(selection, t->s);
    return selection;
}

// The dialog for the selected tactics.
struct DifferenceTool : Dialog {
    DArray* selection;
    explicit DifferenceTool(DArray* chosen) : Dialog(IDD_DIFFERENCE, DifferenceDialog, chosen), selection(chosen) {}
    ~DifferenceTool() { DestroyWindow(window), DArray_Destroy(selection, nullptr); }
    // The names and figures, each with the colour its static is given as it paints (and no background).
    std::string Figures() const
    {
        std::string shown;
        for (int id : {IDC_DIFF_A_NAME, IDC_DIFF_B_NAME, IDC_DIFF_GOALS, IDC_DIFF_GOALS_PROB, IDC_DIFF_CONCEDED,
                       IDC_DIFF_CONCEDED_PROB, IDC_DIFF_POINTS, IDC_DIFF_POINTS_PROB, IDC_DIFF_GOALS_LABEL}) {
            MemoryDC dc(nullptr);
            Brush(id, dc.get());
            const COLORREF c = GetTextColor(dc.get());
            EXPECT_TRUE(c == GetSysColor(COLOR_WINDOWTEXT) || GetBkMode(dc.get()) == TRANSPARENT) << "control " << id;
            shown += Text(id) + (c == kRed ? " red, " : c == kBlue ? " blue, " : c == kOlive ? " olive, " : " plain, ");
        }
        return shown;
    }
    HBRUSH Brush(int id, HDC dc) const
    {
        return reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(GetDlgItem(window, id))));
    }
};

// Every player on his own spot in every situation.
const TctBuilder kSpread = [] {
    TctBuilder b;
    for (int p = 0; p < 11; ++p)
        for (int i = 0; i < 24; ++i) // ball state, zone column, zone row
            b.Set(p, i / 12, i / 4 % 3, i % 4, 2 * p + i / 4 % 3 + i / 12, 3 * p + i % 4);
    return b;
}();

} // namespace

TEST(DifferenceDialog, EachFigureInItsFieldAndColour)
{
    auto ten = [](double x, double y) { return std::vector<double>{x, y, x, y, x, y, x, y, x, y}; };
    Tactic a("Alpha", ten(60, 61), ten(29.8, 30.2), ten(50, 51)), b("Beta", ten(40, 41), ten(30.1, 30.5), ten(70, 71));
    const std::string label = "Goals scored  (per season): plain, ";
    EXPECT_EQ(DifferenceTool(Chosen({&a, &b})).Figures(), // A scores more and concedes less, B has more points
              "Alpha red, Beta blue, +20.0 red, 99% red, -0.3 red, 99% red, -20.0 blue, 0% blue, " + label);
    Tactic single("Single", {50}, {30}, {60}, &kSpread), last("Last", {40, 44}, {30, 31}, {50, 55});
    EXPECT_EQ(DifferenceTool(Chosen({&single, &last})).Figures(), // one season: n/a
              "Single red, Last blue, +8.0 red, n/a olive, -0.5 red, n/a olive, +7.5 red, n/a olive, " + label);
}

TEST(DifferenceDialog, PanelsShowEachSituationInItsPlaceUntilTheDialogCloses)
{
    Tactic a("A", {1, 2}, {1, 2}, {1, 2}, &kSpread), plain("Plain", {1, 2}, {1, 2}, {1, 2}); // no tactic file
    OffscreenImage* field = OffscreenImage_Create(nullptr, 130, 170);
    Pitch_DrawField(field);
    const Pixels empty(field);
    OffscreenImage_Destroy(field);
    const int before = OffscreenImage_LiveCount();
    {
        DifferenceTool dialog(Chosen({&a, &plain}));
        EXPECT_EQ(OffscreenImage_LiveCount(), before + 24);
        for (int i = 0; i < 24; ++i)
            EXPECT_TRUE(Pixels(DifferenceDialog_Panel(i / 12, i / 4 % 3, i % 4)) == empty) << "empty pitch " << i;
    }
    // B is A with players 3 and 7 exchanged, which the pairing undoes, and with player 4 elsewhere with the
    // ball in zone column 2, zone row 0: only the bottom right panel of the "With ball" group shows a move.
    TctBuilder moved = kSpread;
    for (int i = 0; i < 24; ++i) {
        const int s = i / 12, c = i / 4 % 3, r = i % 4;
        moved.Set(3, s, c, r, kSpread.X(7, s, c, r), kSpread.Y(7, s, c, r));
        moved.Set(7, s, c, r, kSpread.X(3, s, c, r), kSpread.Y(3, s, c, r));
    }
    moved.Set(4, 1, 2, 0, 20, 30);
    Tactic b("B", {1, 2}, {1, 2}, {1, 2}, &moved);
    DifferenceTool dialog(Chosen({&a, &b}));
    Paint(dialog.window);
    WindowDC dc(dialog.window);
    for (int i = 0; i < 24; ++i) {
        const int s = i / 12, c = i / 4 % 3, k = i % 4;
        EXPECT_EQ(Pixels(DifferenceDialog_Panel(s, c, k)).Count(kAmber) > 0, i == 23) << "move lines in panel " << i;
        EXPECT_TRUE(Pixels(dc.get(), 16 + 430 * s + 138 * c, 20 + 178 * k, 130, 170) ==
                    Pixels(DifferenceDialog_Panel(s, c, k)))
            << "panel " << i << " painted at (16 + 430 s + 138 c, 20 + 178 k)";
    }
    MemoryDC memory(nullptr);
    HBRUSH brush = dialog.Brush(IDC_DIFF_GOALS, memory.get());
    EXPECT_TRUE(brush && brush == dialog.Brush(IDC_DIFF_A_NAME, memory.get())) << "one brush for the dialog's lifetime";
    SendDlgItemMessageA(dialog.window, IDC_DIFF_CLOSE, BM_CLICK, 0, 0); // Esc sends the same command
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "the Close button releases the panels";
    EXPECT_EQ(GetObjectType(brush), 0u) << "and the brush";
    EXPECT_FALSE(IsWindowVisible(dialog.window)) << "and ends the dialog";
}
