// Copy, select-all, double-click, notes on unopenable files, Calculate EV, About and version; the download.
#include "app/MainWindowFixture.h"

#include <cstdlib>

namespace {

const char kExample[] = "Z:" KX_EXAMPLE_RESULTS; // as Wine sees it: drive Z: is the root

std::string FileVersionOf(const std::string& exe)
{
    std::string info(GetFileVersionInfoSizeA(exe.c_str(), nullptr) + 1, '\0');
    char* text = nullptr;
    UINT size = 0;
    GetFileVersionInfoA(exe.c_str(), 0, info.size(), info.data());
    const char* name = "\\StringFileInfo\\040904B0\\FileVersion";
    return VerQueryValueA(info.data(), name, reinterpret_cast<void**>(&text), &size) ? text : "(none)";
}

std::string Clipboard()
{
    HANDLE data = OpenClipboard(nullptr) ? GetClipboardData(CF_TEXT) : nullptr;
    std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "(no text)";
    GlobalUnlock(data);
    CloseClipboard();
    return text;
}

class MainWindowTools : public MainWindowTest {
protected:
    HWND ListWindow() { return GetDlgItem(dialog_, IDC_MAIN_LIST); }
    void Key(char key, bool control) // as typed in the list
    {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(ListWindow(), WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    }
    // The cells of a column from the top row down, joined by '|'.
    std::string Column(int column)
    {
        std::string cells;
        for (int row = 0; row < List(LVM_GETITEMCOUNT); ++row) {
            char text[256] = "";
            ListView_GetItemText(ListWindow(), row, column, text, sizeof text);
            cells += (row > 0 ? "|" : "") + std::string(text);
        }
        return cells;
    }
};

} // namespace

TEST_F(MainWindowTools, CtrlCCopiesTheSelectedRowsOrAllAndCtrlASelectsAll)
{
    Open();
    Command(IDM_FILE_OPEN, dir_.Write("r.txt", "Pair 60-40 60\nPair 70-30 70\nTwin 60-40 40\nTwin 70-30 50\n"
                                               "Trio 60-40 20\nTrio 70-30 30\n"));
    const std::string title = "Tactic name\tGoals\tConceded\tPoints\tPts avg\tEV\tProb\t#\r\n";
    const std::string pair = "Pair\t65.00 +- 89.87\t35.00 +- 89.87\t-24.87 - 154.87\t65.00\t0.00\t\t2\r\n";
    const std::string twin = "Twin\t65.00 +- 89.87\t35.00 +- 89.87\t-44.87 - 134.87\t45.00\t0.00\t\t2\r\n";
    const std::string trio = "Trio\t65.00 +- 89.87\t35.00 +- 89.87\t-64.87 - 114.87\t25.00\t0.00\t\t2\r\n";
    Select({0, 2});
    Key('C', true);
    EXPECT_EQ(Clipboard(), title + pair + trio) << "the selected rows";
    Select({});
    Key('A', false);
    EXPECT_EQ(List(LVM_GETSELECTEDCOUNT), 0) << "A without Ctrl";
    Key('C', true);
    EXPECT_EQ(Clipboard(), title + pair + twin + trio) << "none selected: every row";
    Key('A', true);
    EXPECT_EQ(List(LVM_GETSELECTEDCOUNT), 3) << "Ctrl+A";
    Key('A', false); // Ctrl up again
}

TEST_F(MainWindowTools, DoubleClickOpensStatisticsOfTheClickedRow)
{
    Open();
    Command(IDM_FILE_OPEN, dir_.Write("r.txt", "Aaa 10-50 50\nAaa 10-50 52\nBbb 20-50 60\nBbb 20-50 62\n"));
    Select({0}); // Bbb, the most points
    RECT row{};
    ListView_GetItemRect(ListWindow(), 1, &row, LVIR_BOUNDS);
    auto double_click = [&](int y) {
        return ModalTexts([&] { SendMessageA(ListWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 4, y)); });
    };
    EXPECT_EQ(double_click((row.top + row.bottom) / 2), (Names{"Statistics", "Tactic: Aaa.tct"})) << "the clicked row, not the selected one";
    EXPECT_EQ(double_click(row.bottom + 2 * (row.bottom - row.top)), Names{}) << "below the last row: nothing";
}

TEST_F(MainWindowTools, FilesThatCannotBeOpenedShowANoteAndChangeNothing)
{
    std::string good = dir_.Write("good.txt", "Aaa 10-50 50\nBbb 20-50 60\n");
    std::string missing = dir_.File("missing.txt"), folder = dir_.Path().string();
    EXPECT_EQ(ModalTexts([&] { Open({good.data(), missing.data()}); }), (Names{"Note", "Could not open " + missing + "\n"}))
        << "at start";
    const std::string counts = Status();
    std::pair<int, std::string> cases[] = {{IDM_FILE_OPEN, missing}, {IDM_FILE_OPEN, folder}, {IDM_FILE_ADD, folder},
                                           {IDM_FILE_ADD, dir_.Write("empty.txt", "; no seasons, no error\n")}};
    for (const auto& [command, path] : cases) {
        const Names note = ModalTexts([&] { Command(command, path); });
        EXPECT_EQ(note, (path == missing || path == folder ? Names{"Note", "Could not open " + path + "\n"} : Names{}))
            << path;
        EXPECT_EQ(Status(), counts) << command << " " << path;
        EXPECT_EQ(Rows().size(), 2u) << command << " " << path;
    }
}

TEST_F(MainWindowTools, CalculateEvShowsEvAndProbUntilNew)
{
    Open();
    Command(IDM_FILE_OPEN, kExample);
    ResultsList_SortBy(MainDialog_List(dialog_), 7); // as a click on "Prob": as "Points" until calculated
    Command(IDM_TACTIC_CALCULATE_EV);                // then the best chance first
    // Means and chances from a 30-digit computation of the model on the file.
    const std::string expected = "Counter442|Press433|Wing352|Park532|Press433_old|Diamond4312|Counter442_v2 "
                                 "72.36|70.74|68.59|67.49|63.84|53.76|40.91 79%|19%|1%|0%|0%|0%|0%";
    EXPECT_EQ(Column(0) + " " + Column(5) + " " + Column(6), expected);
    Command(IDM_RELOAD);
    EXPECT_EQ(Column(0) + " " + Column(5) + " " + Column(6), expected) << "after a reload";
    Command(IDM_FILE_NEW);
    Command(IDM_FILE_ADD, kExample);
    EXPECT_EQ(Column(6), "||||||") << "New (and so Open) drops the calculation";
}

TEST_F(MainWindowTools, HelpAboutAndTheVersionResourceShowTheProjectVersion)
{
    Open();
    EXPECT_EQ(GetMenuItemID(GetSubMenu(GetMenu(dialog_), 2), 0), static_cast<UINT>(IDM_HELP_ABOUT)) << "Help, third";
    const Names about = ModalTexts([&] { Command(IDM_HELP_ABOUT); });
    ASSERT_EQ(about.size(), 2u) << "the caption and the text";
    EXPECT_EQ(about[0], "About KXRevUrad");
    EXPECT_EQ(about[1].rfind(std::string("KXRevUrad ") + KX_CMAKE_VERSION + "\n", 0), 0u) << about[1];
    EXPECT_EQ(FileVersionOf(_pgmptr), KX_CMAKE_VERSION) << "of this program, which has the same resources";
}

// The ctest entry package_run unpacks the zip of tools/package and names the folder.
TEST(PackagedProgram, StartsFromTheUnpackedZipWithTheExampleResults)
{
    const char* folder = std::getenv("KX_PACKAGE_DIR");
    if (!folder)
        GTEST_SKIP() << "run by the ctest entry package_run";
    std::string exe = std::string(folder) + "\\KXRevUrad.exe", command = "\"" + exe + "\" examples\\results.txt";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process));
    HWND window = nullptr; // shown once the files named on its command line are loaded
    for (int i = 0; i < 400 && !((window = FindWindowA("KXRevUradClass", nullptr)) && IsWindowVisible(window)); ++i)
        Sleep(50);
    EXPECT_EQ(ListView_GetItemCount(GetDlgItem(window, IDC_MAIN_LIST)), 7) << "the seven example tactics, shown";
    // Closed as a user would: a killed program would keep its global atoms for the rest of the session.
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    EXPECT_TRUE(ended && GetExitCodeProcess(process.hProcess, &code) && code == 0) << "closed, exit code " << code;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
