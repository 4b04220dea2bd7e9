#include "app/FileDialogs.h"
#include "app/MainWindowFixture.h"


#include <algorithm>

TEST_F(MainWindowTest, FileCommandsShowTheCounts)
{
    std::string first = dir_.Write("first.txt", "Alpha 71-35 70 38 20-10-8\nBeta 50-50 52\n; a comment\n"
                                                "Gamma 40-60 35\nAlpha 60-40 61\nGamma 42-58 38\n");
    std::string second = dir_.Write("second.txt", "Delta 80-20 90\nEpsilon 30-70 20\nDelta 78-22 88\n");
    Open({first.data(), second.data()});
    EXPECT_EQ(Status(), "5 tactics, 8 runs loaded") << "the files named at start";
    EXPECT_TRUE(GetWindowLongPtrA(dialog_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "files may be dropped";
    const struct { int id; std::string path; const char* status; } steps[] = { // path "": Cancel; id 0: a drop
        {IDM_FILE_NEW, "", "0 tactics, 0 runs loaded"},       {IDM_FILE_OPEN, first, "3 tactics, 5 runs loaded"},
        {IDM_FILE_ADD, second, "5 tactics, 8 runs loaded"},   {IDM_FILE_OPEN, first, "3 tactics, 5 runs loaded"},
        {IDM_FILE_OPEN, "", "3 tactics, 5 runs loaded"},      {IDM_FILE_ADD, "", "3 tactics, 5 runs loaded"},
        {IDM_RELOAD, "", "3 tactics, 5 runs loaded"},         {IDM_TACTIC_CALCULATE_EV, "", "3 tactics, 5 runs loaded"},
        {IDC_MAIN_WEAKNESS, "", "3 tactics, 5 runs loaded"},  {IDCANCEL, "", "3 tactics, 5 runs loaded"},
        {IDM_FILE_NEW, "", "0 tactics, 0 runs loaded"},       {0, "", "5 tactics, 8 runs loaded"},
    };
    for (const auto& s : steps) {
        s.id ? Command(s.id, s.path) : Drop(first, second);
        EXPECT_EQ(Status(), s.status) << "command " << s.id << " answered " << s.path;
        EXPECT_EQ(Rows().size(), std::stoul(s.status)) << "a row for each tactic, command " << s.id;
        EXPECT_TRUE(IsWindowVisible(dialog_)) << "command " << s.id;
    }
}

TEST_F(MainWindowTest, ColumnClicksSortAndTheSelectionFollowsItsTactics)
{
    Open();
    Command(IDM_FILE_OPEN, dir_.Write("r", "Aaa 10-50 50\nBbb 35-50 50\nCcc 30-50 50\nDdd 60-40 60\nDdd 70-30 70\n"));
    ClickColumn(0);
    ASSERT_EQ(Rows(), (Names{"Ddd", "Ccc", "Bbb", "Aaa"})) << "names, descending";
    Select({0, 2}); // Ddd and Bbb
    ClickColumn(1);
    EXPECT_EQ(Rows(), (Names{"Ddd", "Bbb", "Ccc", "Aaa"})) << "first click: most goals first";
    ClickColumn(1);
    EXPECT_EQ(Rows(), (Names{"Aaa", "Ccc", "Bbb", "Ddd"})) << "second click: fewest first";
    EXPECT_EQ(Rows(LVIS_SELECTED), (Names{"Bbb", "Ddd"})) << "the selected tactics stay selected";
    EXPECT_EQ(Rows(LVIS_FOCUSED), Names{"Ddd"}) << "the first of them before the sort has the focus";
    EXPECT_EQ(List(LVM_GETSELECTIONMARK), 3);
    Command(IDM_FILE_ADD, dir_.Write("more.txt", "Top 90-10 50\nBottom 5-90 50\n"));
    EXPECT_EQ(Rows(), (Names{"Bottom", "Aaa", "Ccc", "Bbb", "Ddd", "Top"})) << "a new file in the order chosen last";
}

TEST_F(MainWindowTest, CommandsThatOpenADialog)
{
    Open();
    Command(IDM_FILE_OPEN, dir_.Write("r.txt", "Aaa 10-50 50\nBbb 20-50 50\nCcc 30-50 50\nAaa 11-51 51\n"));
    ClickColumn(0); // Ccc Bbb Aaa
    const std::string saved = dir_.File("saved.txt"), unwritable = dir_.File("no-such-folder\\x.txt");
    const struct { int id; std::vector<int> selected; std::string path; Names shown; } cases[] = { // path: as above
        {IDC_MAIN_STATS, {1, 2}, "", {"Statistics", "Tactic: Bbb.tct"}}, // the topmost selected
        {IDM_TACTIC_STATISTICS, {1, 2}, "", {"Statistics", "Tactic: Bbb.tct"}}, {IDC_MAIN_STATS, {}, "", {}},
        {IDC_MAIN_COMPARE, {0, 1, 2}, "", {"Difference tool", "Ccc", "Aaa"}}, // the first and the last selected
        {IDM_TACTIC_DIFFERENCE, {0, 1, 2}, "", {"Difference tool", "Ccc", "Aaa"}},
        {IDC_MAIN_COMPARE, {}, "", {"Note", "Please select a tactic!\n"}}, {IDM_FILE_SAVE_AS, {0}, "", {}}, // Cancel
        {IDM_FILE_SAVE_AS, {}, saved, {"Note", "Select tactics to save\n"}}, {IDM_FILE_SAVE_AS, {2}, saved, {}},
        {IDM_FILE_SAVE_AS, {0}, unwritable, {"Note", "Could not save " + unwritable + "\n"}},
    };
    for (const auto& c : cases) {
        Select(c.selected);
        const Names selected = Rows(LVIS_SELECTED);
        EXPECT_EQ(ModalTexts([&] { Command(c.id, c.path); }), c.shown) << "command " << c.id;
        EXPECT_EQ(Rows(LVIS_SELECTED), selected) << "the selection is kept, command " << c.id;
    }
    const std::string aaa = "Aaa" + std::string(23, ' ');
    EXPECT_EQ(ReadBytes(saved), aaa + "10-50 50 26 0-0-0\r\n" + aaa + "11-51 51 26 0-0-0\r\n") << "the selected tactic";
}

TEST(CenterWindow, CentresOnTheScreenAndKeepsABigWindowsCornerOnIt)
{
    const int screen_w = GetSystemMetrics(SM_CXSCREEN), screen_h = GetSystemMetrics(SM_CYSCREEN);
    for (auto [w, h] : {std::pair{300, 200}, {screen_w + 400, screen_h + 300}}) {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 10, 20, w, h, nullptr, nullptr, Instance(), nullptr);
        CenterWindow(window);
        RECT r{};
        GetWindowRect(window, &r);
        DestroyWindow(window);
        EXPECT_EQ(r.left, std::max(0, screen_w / 2 - w / 2)) << w << " x " << h;
        EXPECT_EQ(r.top, std::max(0, screen_h / 2 - h / 2)) << w << " x " << h;
        EXPECT_EQ(r.right - r.left, w) << "the size is kept";
        EXPECT_EQ(r.bottom - r.top, h) << "the size is kept";
    }
}
