// The main window under Wine: created from its real template, driven with
// the messages its controls and menu send; file dialogs are answered by a
// stand-in chooser.
#include "app/MainDialog.h"
#include "app/MainWindowClass.h"
#include "common/TempDir.h"
#include "common/WinTest.h"
#include "resources/resource.h"
#include "support/Str.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// What the stand-in file dialogs answer: a path, or "" for Cancel.
std::string next_open;
std::string next_save;
int open_asked = 0;

char* Answer(const std::string& path)
{
    return path.empty() ? nullptr : Str_Dup(path.c_str());
}
char* ChooseOpen(const char*, const char*, const char*)
{
    ++open_asked;
    return Answer(next_open);
}
char* ChooseSave(const char*, const char*, const char*)
{
    return Answer(next_save);
}
const MainDialogFileChooser kChooser = {ChooseOpen, ChooseSave};

const char kThreeTactics[] = "Alpha 71-35 70 38 20-10-8\n"
                             "Beta 50-50 52 38 14-10-14\n"
                             "Gamma 40-60 35\n"
                             "Alpha 60-40 61 38 17-10-11\n"
                             "Beta 55-45 57 38 16-9-13\n"
                             "; a comment\n"
                             "Alpha 65-30 75 38 22-9-7\n"
                             "Gamma 45-55 40\n"
                             "Beta 48-52 50 38 13-11-14\n"
                             "Alpha 70-33 72\n"
                             "Gamma 42-58 38\n";
const char kTwoMore[] = "Delta 80-20 90\nEpsilon 30-70 20\nDelta 78-22 88\nEpsilon 33-66 25\nDelta 75-25 85\n";

// A main window, modeless, on the real template (without the resizer).
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        next_open.clear();
        next_save.clear();
        open_asked = 0;
        ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleA(nullptr)));
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
        Pump();
    }

    void Open(int file_count = 0, char** files = nullptr)
    {
        start_.chooser = &kChooser;
        start_.file_count = file_count;
        start_.files = files;
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&start_));
        ASSERT_NE(dialog_, nullptr);
        Pump();
    }

    LRESULT Command(int id) { return SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The status text without its line feed (which Wine's status bar keeps as a blank).
    std::string Status()
    {
        char text[256] = "";
        SendDlgItemMessageA(dialog_, IDC_MAIN_STATUS, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        std::string status = text;
        if (!status.empty() && (status.back() == '\n' || status.back() == ' '))
            status.pop_back();
        return status;
    }

    HWND List() { return GetDlgItem(dialog_, IDC_MAIN_LIST); }
    int Rows() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

    std::string Cell(int row, int column)
    {
        char text[256] = "";
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(List(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }

    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int row = 0; row < Rows(); ++row)
            names.push_back(Cell(row, 0));
        return names;
    }

    void ClickColumn(int column)
    {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = List();
        click.hdr.idFrom = IDC_MAIN_LIST;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(dialog_, WM_NOTIFY, IDC_MAIN_LIST, reinterpret_cast<LPARAM>(&click));
    }

    void Select(std::initializer_list<int> rows)
    {
        LVITEMA none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        for (int row : rows) {
            LVITEMA item{};
            item.stateMask = LVIS_SELECTED;
            item.state = LVIS_SELECTED;
            SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        }
    }

    std::vector<int> SelectedRows()
    {
        std::vector<int> rows;
        for (int row = 0; row < Rows(); ++row) {
            if (SendMessageA(List(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED)
                rows.push_back(row);
        }
        return rows;
    }

    void OpenFile(const std::string& path)
    {
        next_open = path;
        Command(IDM_FILE_OPEN);
    }
    void AddFile(const std::string& path)
    {
        next_open = path;
        Command(IDM_FILE_ADD);
    }

    TempDir dir_;
    MainDialogStart start_{};
    HWND dialog_ = nullptr;
};

// Dialogs that a command opens modally: a thread timer finds each by its
// caption from inside the modal loop, reads the texts of some of its controls
// and presses the button that closes it.
struct Watched {
    const char* caption;
    std::vector<int> ids; // controls whose texts are read
    int close_id;         // the command that closes the dialog
    int seen = 0;
    std::vector<std::string> texts;
};

std::vector<Watched>* watching = nullptr;

void CALLBACK AnswerWatched(HWND, UINT, UINT_PTR, DWORD)
{
    for (Watched& watched : *watching) {
        HWND box = FindWindowA("#32770", watched.caption);
        if (!box || !IsWindowEnabled(box))
            continue;
        watched.texts.clear();
        for (int id : watched.ids) {
            char text[512] = "";
            GetDlgItemTextA(box, id, text, sizeof text);
            watched.texts.emplace_back(text);
        }
        ++watched.seen;
        EnableWindow(box, FALSE); // answered: not twice
        PostMessageA(box, WM_COMMAND, watched.close_id, 0);
    }
}

// Runs action and answers the given dialogs whenever they show up.
std::vector<Watched> Answering(std::vector<Watched> dialogs, const std::function<void()>& action)
{
    watching = &dialogs;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerWatched);
    action();
    KillTimer(nullptr, timer);
    watching = nullptr;
    return dialogs;
}

Watched Note() { return {"Note", {0xFFFF}, IDOK}; }
Watched Statistics() { return {"Statistics", {IDC_STAT_TACTIC}, IDC_STAT_CLOSE}; }
Watched Difference() { return {"Difference tool", {IDC_DIFF_A_NAME, IDC_DIFF_B_NAME}, IDC_DIFF_CLOSE}; }

} // namespace

TEST_F(MainWindowTest, StartsEmpty)
{
    Open();
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Status(), "");
    Watched note = Answering({Note()}, [&] { Command(IDM_FILE_SAVE_AS); })[0];
    ASSERT_EQ(note.seen, 1) << "one message box";
    EXPECT_EQ(note.texts[0], "Select tactics to save\n");
}

TEST_F(MainWindowTest, StatusCountsAfterOpenAddAndOpen)
{
    std::string first = dir_.Write("first.txt", kThreeTactics);
    std::string second = dir_.Write("second.txt", kTwoMore);
    Open();
    OpenFile(first);
    EXPECT_EQ(Status(), "3 tactics, 10 runs loaded");
    EXPECT_EQ(Rows(), 3);
    AddFile(second);
    EXPECT_EQ(Status(), "5 tactics, 15 runs loaded");
    EXPECT_EQ(Rows(), 5);
    OpenFile(first);
    EXPECT_EQ(Status(), "3 tactics, 10 runs loaded") << "Open replaces what was loaded";
    EXPECT_EQ(Rows(), 3);

    next_open.clear(); // Cancel
    Command(IDM_FILE_OPEN);
    EXPECT_EQ(open_asked, 4);
    EXPECT_EQ(Rows(), 3) << "a cancelled Open keeps the tactics";
    EXPECT_EQ(Status(), "3 tactics, 10 runs loaded");

    Command(IDM_RELOAD);
    EXPECT_EQ(Status(), "3 tactics, 10 runs loaded") << "reloading does not double the seasons";

    Command(IDM_FILE_NEW);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Status(), "0 tactics, 0 runs loaded");
}

TEST_F(MainWindowTest, FilesNamedAtStartAreAdded)
{
    std::string first = dir_.Write("first.txt", kThreeTactics);
    std::string second = dir_.Write("second.txt", kTwoMore);
    char* files[] = {first.data(), second.data()};
    Open(2, files);
    EXPECT_EQ(Status(), "5 tactics, 15 runs loaded");
    EXPECT_EQ(Rows(), 5);
}

TEST_F(MainWindowTest, DroppedFilesAreAdded)
{
    std::string first = dir_.Write("first.txt", kThreeTactics);
    std::string second = dir_.Write("second.txt", kTwoMore);
    Open();
    std::string names = first + '\0' + second + '\0' + '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    SendMessageA(dialog_, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(Status(), "5 tactics, 15 runs loaded");
}

TEST_F(MainWindowTest, CellTexts)
{
    Open();
    OpenFile(dir_.Write("r.txt", "Single 55-30 70 38 20-10-8\nPair 60-40 60\nPair 70-30 70\n"));
    ClickColumn(0); // names, descending: Single, Pair
    ASSERT_EQ(Names(), (std::vector<std::string>{"Single", "Pair"}));
    const char* single[] = {"Single", "55.00 +- n/a", "30.00 +- n/a", "n/a", "70.00", "0.00", "", "1"};
    const char* pair[] = {"Pair", "65.00 +- 89.87", "35.00 +- 89.87", "-24.87 - 154.87", "65.00", "0.00", "", "2"};
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(Cell(0, column), single[column]) << "column " << column;
        EXPECT_EQ(Cell(1, column), pair[column]) << "column " << column;
    }
}

TEST_F(MainWindowTest, ColumnClicksCycleAndTheOrderSurvivesLoading)
{
    Open();
    OpenFile(dir_.Write("r.txt", "Mid 50-50 50\nHigh 80-50 50\nLow 20-50 50\n"));
    ClickColumn(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"High", "Mid", "Low"})) << "first click: most goals first";
    ClickColumn(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Low", "Mid", "High"})) << "second click: fewest first";
    ClickColumn(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"High", "Mid", "Low"})) << "third click: most first again";
    ClickColumn(1);
    AddFile(dir_.Write("more.txt", "Top 90-10 50\nBottom 10-90 50\n"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Bottom", "Low", "Mid", "High", "Top"}))
        << "a new file is shown in the order chosen last";
}

TEST_F(MainWindowTest, SelectionFollowsItsTacticsThroughASort)
{
    Open();
    OpenFile(dir_.Write("r.txt", "Aaa 10-50 50\nBbb 20-50 50\nCcc 30-50 50\nDdd 40-50 50\n"));
    ClickColumn(0); // Ddd Ccc Bbb Aaa
    Select({0, 2}); // Ddd and Bbb
    ClickColumn(1); // goals descending: Ddd Ccc Bbb Aaa
    ClickColumn(1); // ascending: Aaa Bbb Ccc Ddd
    ASSERT_EQ(Names(), (std::vector<std::string>{"Aaa", "Bbb", "Ccc", "Ddd"}));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 3})) << "Bbb and Ddd stay selected";
    int focused = static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    EXPECT_EQ(focused, 3) << "the first tactic of the earlier selection (Ddd) has the focus";
    EXPECT_EQ(SendMessageA(List(), LVM_GETSELECTIONMARK, 0, 0), 3);
}

TEST_F(MainWindowTest, SaveAsWritesTheSelectedTactics)
{
    Open();
    OpenFile(dir_.Write("r.txt", "Aaa 10-50 50\nBbb 20-50 50\nAaa 11-51 51\n"));
    ClickColumn(0); // Bbb, Aaa
    Select({1});
    std::string saved = dir_.File("saved.txt");
    next_save = saved;
    Command(IDM_FILE_SAVE_AS);
    EXPECT_EQ(ReadBytes(saved).find("Bbb"), std::string::npos) << "only the selected tactic";
    EXPECT_NE(ReadBytes(saved).find("Aaa                       11-51 51 26 0-0-0"), std::string::npos);

    next_save = dir_.File("no-such-folder\\x.txt");
    Watched note = Answering({Note()}, [&] { Command(IDM_FILE_SAVE_AS); })[0];
    ASSERT_EQ(note.seen, 1);
    EXPECT_EQ(note.texts[0], "Could not save " + next_save + "\n");

    next_save.clear(); // Cancel
    note = Answering({Note()}, [&] { Command(IDM_FILE_SAVE_AS); })[0];
    EXPECT_EQ(note.seen, 0) << "a cancelled save says nothing";
}

TEST_F(MainWindowTest, CommandsWithoutAction)
{
    Open();
    OpenFile(dir_.Write("r.txt", kThreeTactics));
    std::string status = Status();
    for (int id : {IDM_TACTIC_CALCULATE_EV, IDC_MAIN_WEAKNESS, IDCANCEL}) {
        Command(id);
        EXPECT_EQ(Rows(), 3) << "command " << id;
        EXPECT_EQ(Status(), status) << "command " << id;
        EXPECT_TRUE(IsWindow(dialog_)) << "command " << id;
    }
}

TEST_F(MainWindowTest, StatisticsOpenForTheTopmostSelectedTactic)
{
    Open();
    OpenFile(dir_.Write("r.txt", "Aaa 10-50 50\nBbb 20-50 50\nCcc 30-50 50\n"));
    ClickColumn(0); // Ccc Bbb Aaa
    for (int id : {IDC_MAIN_STATS, IDM_TACTIC_STATISTICS}) {
        Select({1, 2});
        Watched shown = Answering({Statistics()}, [&] { Command(id); })[0];
        ASSERT_EQ(shown.seen, 1) << "command " << id;
        EXPECT_EQ(shown.texts[0], "Tactic: Bbb.tct") << "command " << id;
        EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2})) << "the selection is kept, command " << id;
    }

    Select({});
    Watched none = Answering({Statistics()}, [&] {
        Command(IDC_MAIN_STATS);
        Pump();
    })[0];
    EXPECT_EQ(none.seen, 0) << "nothing selected: no dialog";

    OpenFile(dir_.Write("one.txt", "Only 10-50 50\n"));
    Select({0});
    Watched only = Answering({Statistics()}, [&] { Command(IDC_MAIN_STATS); })[0];
    ASSERT_EQ(only.seen, 1);
    EXPECT_EQ(only.texts[0], "Tactic: Only.tct") << "the one loaded tactic, selected";
}

TEST_F(MainWindowTest, DifferenceComparesTheFirstAndTheLastSelectedTactic)
{
    Open();
    OpenFile(dir_.Write("r.txt", "Aaa 10-50 50\nBbb 20-50 50\nCcc 30-50 50\n"));
    ClickColumn(0); // Ccc Bbb Aaa
    for (int id : {IDC_MAIN_COMPARE, IDM_TACTIC_DIFFERENCE}) {
        Select({0, 1, 2});
        Watched shown = Answering({Difference()}, [&] { Command(id); })[0];
        ASSERT_EQ(shown.seen, 1) << "command " << id;
        EXPECT_EQ(shown.texts[0], "Ccc") << "A is the first selected, command " << id;
        EXPECT_EQ(shown.texts[1], "Aaa") << "B is the last selected, command " << id;
        EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2})) << "the selection is kept, command " << id;
    }

    Select({});
    std::vector<Watched> answered = Answering({Note(), Difference()}, [&] { Command(IDC_MAIN_COMPARE); });
    ASSERT_EQ(answered[0].seen, 1);
    EXPECT_EQ(answered[0].texts[0], "Please select a tactic!\n");
    EXPECT_EQ(answered[1].seen, 0) << "nothing selected: no dialog";
}

namespace {

// Modal runs of the main dialog, ended by what a timer posts to it.
UINT posted_message = 0;
WPARAM posted_wparam = 0;
int ticks = 0;
void CALLBACK PostToMain(HWND, UINT, UINT_PTR, DWORD)
{
    HWND main = FindWindowA("KXRevUradClass", "KXRevUrad");
    if (!main)
        return;
    if (++ticks == 1) {
        // Escape first: it must not end the dialog.
        HWND focus = GetFocus();
        PostMessageA(focus ? focus : main, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    PostMessageA(main, posted_message, posted_wparam, 0);
}

INT_PTR RunModalEndedBy(UINT message, WPARAM wparam)
{
    posted_message = message;
    posted_wparam = wparam;
    ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, PostToMain);
    MainDialogStart start{&kChooser, 0, nullptr};
    INT_PTR result = MainWindow_Run(GetModuleHandleA(nullptr), &start);
    KillTimer(nullptr, timer);
    return result;
}

} // namespace

TEST(MainWindowModal, EnterEndsWithOneAndTheCloseBoxWithZero)
{
    EXPECT_EQ(RunModalEndedBy(WM_COMMAND, IDOK), 1) << "Enter";
    EXPECT_GE(ticks, 2) << "Escape before it did not end the dialog";
    EXPECT_EQ(RunModalEndedBy(WM_COMMAND, IDC_MAIN_CLOSE), 1) << "the Close button";
    EXPECT_EQ(RunModalEndedBy(WM_SYSCOMMAND, SC_CLOSE), 0) << "the close box";
}
