// Copy, select-all, double-click, notes on unopenable files, About and version; the download.
#include "app/MainDialog.h"
#include "app/MainWindowClass.h"
#include "common/TempDir.h"
#include "common/WinTest.h"
#include "resources/resource.h"
#include "support/Str.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace {

std::string next_open; // what the stand-in Open dialog answers
char* ChooseOpen(const char*, const char*, const char*) { return Str_Dup(next_open.c_str()); }
const MainDialogFileChooser kChooser = {ChooseOpen, ChooseOpen};

// Runs action, closing each box ("#32770") with the caption that shows; returns their texts of text_id.
struct { const char* caption; int text_id; std::string texts; } box;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND window = FindWindowA("#32770", box.caption);
    if (!window || !IsWindowEnabled(window))
        return;
    char text[512] = "";
    GetDlgItemTextA(window, box.text_id, text, sizeof text);
    box.texts += text;
    EnableWindow(window, FALSE); // answered: not twice
    PostMessageA(window, WM_CLOSE, 0, 0);
}

std::string Answering(const char* caption, int text_id, const std::function<void()>& action)
{
    box = {caption, text_id, ""};
    UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerBox);
    action();
    KillTimer(nullptr, timer);
    return box.texts;
}

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

class MainWindowTools : public testing::Test {
protected:
    void TearDown() override { DestroyWindow(dialog_); }
    void Open(int file_count = 0, char** files = nullptr)
    {
        ASSERT_TRUE(RegisterMainWindowClass(Instance()));
        InitCommonControls();
        start_ = {&kChooser, file_count, files};
        dialog_ = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&start_));
    }
    void Command(int id, const std::string& path = "")
    {
        next_open = path;
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    HWND List() { return GetDlgItem(dialog_, IDC_MAIN_LIST); }
    std::string Status()
    {
        char text[256] = "";
        SendDlgItemMessageA(dialog_, IDC_MAIN_STATUS, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void Key(char key, bool control) // as typed in the list
    {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(List(), WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    }

    TempDir dir_;
    MainDialogStart start_{};
    HWND dialog_ = nullptr;
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
    ListView_SetItemState(List(), 0, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(List(), 2, LVIS_SELECTED, LVIS_SELECTED);
    Key('C', true);
    EXPECT_EQ(Clipboard(), title + pair + trio) << "the selected rows";
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    Key('A', false);
    EXPECT_EQ(ListView_GetSelectedCount(List()), 0u) << "A without Ctrl";
    Key('C', true);
    EXPECT_EQ(Clipboard(), title + pair + twin + trio) << "none selected: every row";
    Key('A', true);
    EXPECT_EQ(ListView_GetSelectedCount(List()), 3u) << "Ctrl+A";
    Key('A', false); // Ctrl up again
}

TEST_F(MainWindowTools, DoubleClickOpensStatisticsOfTheClickedRow)
{
    Open();
    Command(IDM_FILE_OPEN, dir_.Write("r.txt", "Aaa 10-50 50\nAaa 10-50 52\nBbb 20-50 60\nBbb 20-50 62\n"));
    ListView_SetItemState(List(), 0, LVIS_SELECTED, LVIS_SELECTED); // Bbb, the most points
    RECT row{};
    ListView_GetItemRect(List(), 1, &row, LVIR_BOUNDS);
    auto double_click = [&](int y) {
        return Answering("Statistics", IDC_STAT_TACTIC,
                         [&] { SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 4, y)); });
    };
    EXPECT_EQ(double_click((row.top + row.bottom) / 2), "Tactic: Aaa.tct") << "the clicked row, not the selected one";
    EXPECT_EQ(double_click(row.bottom + 2 * (row.bottom - row.top)), "") << "below the last row: nothing";
}

TEST_F(MainWindowTools, FilesThatCannotBeOpenedShowANoteAndChangeNothing)
{
    std::string good = dir_.Write("good.txt", "Aaa 10-50 50\nBbb 20-50 60\n");
    std::string missing = dir_.File("missing.txt"), folder = dir_.Path().string();
    char* files[] = {good.data(), missing.data()};
    EXPECT_EQ(Answering("Note", 0xFFFF, [&] { Open(2, files); }), "Could not open " + missing + "\n") << "at start";
    const std::string counts = Status();
    std::pair<int, std::string> cases[] = {{IDM_FILE_OPEN, missing}, {IDM_FILE_OPEN, folder}, {IDM_FILE_ADD, folder},
                                           {IDM_FILE_ADD, dir_.Write("empty.txt", "; no seasons, no error\n")}};
    for (const auto& [command, path] : cases) {
        std::string note = Answering("Note", 0xFFFF, [&] { Command(command, path); });
        EXPECT_EQ(note, path == missing || path == folder ? "Could not open " + path + "\n" : "") << path;
        EXPECT_EQ(Status(), counts) << command << " " << path;
        EXPECT_EQ(ListView_GetItemCount(List()), 2) << command << " " << path;
    }
}

TEST_F(MainWindowTools, HelpAboutAndTheVersionResourceShowTheProjectVersion)
{
    Open();
    EXPECT_EQ(GetMenuItemID(GetSubMenu(GetMenu(dialog_), 2), 0), static_cast<UINT>(IDM_HELP_ABOUT)) << "Help, third";
    std::string about = Answering("About KXRevUrad", 0xFFFF, [&] { Command(IDM_HELP_ABOUT); });
    EXPECT_EQ(about.rfind(std::string("KXRevUrad ") + KX_CMAKE_VERSION + "\n", 0), 0u) << about;
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
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
