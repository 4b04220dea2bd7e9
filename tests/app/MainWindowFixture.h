// The main window under Wine: made modelessly from its template (without the
// resizer) and driven with the messages of its controls and menu. A stand-in
// chooser answers for the file dialogs; a thread timer reads and closes the
// dialogs that a command opens modally.
#pragma once

#include "app/MainDialog.h"
#include "app/MainWindowClass.h"
#include "common/TempDir.h"
#include "common/WinTest.h"
#include "resources/resource.h"
#include "support/Str.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <map>

using Names = std::vector<std::string>;

// What the stand-in file dialogs answer: a path, or "" for Cancel.
inline std::string g_chosen_path;
inline char* ChooseForTest(const char*, const char*, const char*)
{
    return g_chosen_path.empty() ? nullptr : Str_Dup(g_chosen_path.c_str());
}
inline const MainDialogFileChooser kTestChooser = {ChooseForTest, ChooseForTest};

// The caption and texts of the modal dialog that action opened, nothing when
// none: a message box's text, the tactic of Statistics, the Difference tool's names.
// The dialog is closed, or answered with button.
inline Names g_modal_texts;
inline int g_modal_button;
inline Names ModalTexts(const std::function<void()>& action, int button = 0)
{
    g_modal_texts.clear();
    g_modal_button = button;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        static const std::map<std::string, std::vector<int>> read = { // others: a message box's text
            {"Statistics", {IDC_STAT_TACTIC}}, {"Difference tool", {IDC_DIFF_A_NAME, IDC_DIFF_B_NAME}}};
        if (HWND box = ThreadWindow("#32770")) {
            char text[512] = "";
            GetWindowTextA(box, text, sizeof text);
            g_modal_texts.emplace_back(text);
            for (int id : read.count(text) ? read.at(text) : std::vector<int>{0xFFFF})
                g_modal_texts.emplace_back(GetDlgItemTextA(box, id, text, sizeof text) ? text : "");
            EnableWindow(box, FALSE); // answered: not twice
            PostMessageA(box, g_modal_button ? WM_COMMAND : WM_CLOSE, g_modal_button, 0);
        }
    });
    action();
    KillTimer(nullptr, timer);
    return g_modal_texts;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(RegisterMainWindowClass(Instance())) << "each test registers the class again";
    }
    void TearDown() override { DestroyWindow(dialog_); }
    void Open(std::vector<char*> files = {})
    {
        MainDialogStart start{&kTestChooser, static_cast<int>(files.size()), files.data()};
        dialog_ = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&start));
    }
    // Sends a command; a file dialog that it opens answers path.
    void Command(int id, const std::string& path = "")
    {
        g_chosen_path = path;
        SendMessageA(dialog_, WM_COMMAND, id, 0);
    }
    // The status text without its line feed (which Wine's status bar keeps as a blank).
    std::string Status()
    {
        char text[256] = "";
        SendDlgItemMessageA(dialog_, IDC_MAIN_STATUS, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return std::string(text, std::string(text).find_last_not_of("\n ") + 1);
    }
    LRESULT List(UINT message, WPARAM wparam = 0, LPARAM lparam = 0)
    {
        return SendDlgItemMessageA(dialog_, IDC_MAIN_LIST, message, wparam, lparam);
    }
    // The rows (as their tactics' names) in these states, or all rows.
    Names Rows(UINT states = 0)
    {
        Names names;
        for (int row = 0; row < List(LVM_GETITEMCOUNT); ++row) {
            char text[256] = "";
            LVITEMA item{};
            item.pszText = text, item.cchTextMax = sizeof text;
            List(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            if ((List(LVM_GETITEMSTATE, row, states) & states) == states)
                names.push_back(text);
        }
        return names;
    }
    // Drops files on the window, as from the shell.
    void Drop(const std::string& first, const std::string& second)
    {
        const std::string names = first + '\0' + second + '\0' + '\0';
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size()); // freed by the window
        auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
        drop->pFiles = sizeof(DROPFILES);
        std::memcpy(drop + 1, names.data(), names.size());
        GlobalUnlock(memory);
        SendMessageA(dialog_, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    }
    void ClickColumn(int column)
    {
        NMLISTVIEW click{};
        click.hdr = {GetDlgItem(dialog_, IDC_MAIN_LIST), IDC_MAIN_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        click.iItem = -1, click.iSubItem = column;
        SendMessageA(dialog_, WM_NOTIFY, IDC_MAIN_LIST, reinterpret_cast<LPARAM>(&click));
    }
    void Select(const std::vector<int>& rows)
    {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        List(LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&item));
        item.state = LVIS_SELECTED;
        for (int row : rows)
            List(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }

    TempDir dir_;
    HWND dialog_ = nullptr;
};
