// File names with any characters (start, drop, file dialogs); Save as over a loaded file.
#include "app/CommandLine.h"
#include "app/FileDialogs.h"
#include "app/MainDialog.h"
#include "app/MainWindowClass.h"
#include "common/TempDir.h"
#include "common/WinTest.h"
#include "resources/resource.h"
#include "support/Str.h"
#include "support/WideText.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <functional>

namespace {

using Strings = std::vector<std::string>;

const char kSeasons[] = "Alpha 71-35 70\nBeta 50-50 52\nAlpha 60-40 61\n";
constexpr int kFileNameBox = 0x47c; // of the file dialogs (cmb13)
constexpr int kFilterBox = 0x470;   // (cmb1)

std::string save_answer;
char* AnswerSave(const char*, const char*, const char*) { return Str_Dup(save_answer.c_str()); }
const MainDialogFileChooser kChooser = {nullptr, AnswerSave};

// A timer answers each dialog captioned caption: reads the text of control
// id (0xFFFF: a message box's), types a file name if one is given, presses button.
struct Answer { const char* caption; int id; int button; std::wstring typed; Strings texts; };
Answer* answer = nullptr;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr; // the first one not answered yet
    while ((box = FindWindowExA(nullptr, box, "#32770", answer->caption)) && !IsWindowEnabled(box)) {
    }
    if (!box)
        return;
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, answer->id, text, 1024);
    answer->texts.push_back(WideText_ToUtf8(text));
    if (!answer->typed.empty())
        SendMessageW(box, CDM_SETCONTROLTEXT, kFileNameBox, reinterpret_cast<LPARAM>(answer->typed.c_str()));
    EnableWindow(box, FALSE); // answered: not twice
    PostMessageA(box, WM_COMMAND, answer->button, 0);
}

Strings Answering(Answer given, const std::function<void()>& action)
{
    answer = &given;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerBox);
    action();
    KillTimer(nullptr, timer);
    return given.texts;
}

class FileNamesTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(RegisterMainWindowClass(Instance()));
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
        InitCommonControlsEx(&controls);
        unicode_ = dir_.Path() / L"результаты 日本.txt";
        std::ofstream(unicode_) << kSeasons;
    }
    void TearDown() override
    {
        DestroyWindow(dialog_);
        Pump();
    }
    void Open(std::vector<std::string> files)
    {
        std::vector<char*> names;
        for (std::string& file : files)
            names.push_back(file.data());
        MainDialogStart start{&kChooser, static_cast<int>(names.size()), names.data()};
        dialog_ = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&start));
        ASSERT_NE(dialog_, nullptr);
    }
    int Runs() { return MainDialog_List(dialog_)->book->results->count; }

    TempDir dir_;
    std::filesystem::path unicode_;
    HWND dialog_ = nullptr;
};

} // namespace

TEST_F(FileNamesTest, AUnicodePathLoadsFromTheCommandLineAndADrop)
{
    // The program's own name is no file to load, even when it names one.
    Open(CommandLine_Files((L"\"" + unicode_.native() + L"\" \"" + unicode_.native() + L"\"").c_str()));
    EXPECT_EQ(Runs(), 3) << "named at start";

    std::wstring names = unicode_.native() + L'\0' + L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageW(dialog_, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(Runs(), 6) << "dropped";
    EXPECT_EQ(GlobalSize(memory), 0u) << "the drop is released";
}

TEST_F(FileNamesTest, FileDialogsGiveUnicodePathsAndSavingAsksNothingThere)
{
    for (auto choose : {ChooseFileToOpen, ChooseFileToSave}) {
        char* chosen = nullptr;
        Strings seen = Answering({"Pick", kFilterBox, IDOK, unicode_.native()},
                                 [&] { chosen = choose("Pick", "Text files", "*.txt"); });
        EXPECT_STREQ(chosen, WideText_ToUtf8(unicode_.c_str()).c_str());
        EXPECT_EQ(seen, Strings{"Text files"}) << "the filter shown first; no question beside the dialog";
        Str_Free(chosen);
    }
}

TEST_F(FileNamesTest, SaveAsOverALoadedFileSaysSoAndNoLeavesItUntouched)
{
    std::string loaded = dir_.Write("loaded.txt", kSeasons);
    std::string other = dir_.Write("other.txt", "other\n");
    Open({loaded});
    NMLISTVIEW names{{GetDlgItem(dialog_, IDC_MAIN_LIST), IDC_MAIN_LIST, static_cast<UINT>(LVN_COLUMNCLICK)}, -1, 0};
    SendMessageA(dialog_, WM_NOTIFY, IDC_MAIN_LIST, reinterpret_cast<LPARAM>(&names)); // Beta, Alpha
    LVITEMA beta{};
    beta.stateMask = beta.state = LVIS_SELECTED;
    SendDlgItemMessageA(dialog_, IDC_MAIN_LIST, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&beta));
    auto save_to = [&](const std::string& path, int button) {
        save_answer = path;
        return Answering({"Note", 0xFFFF, button}, [&] { SendMessageA(dialog_, WM_COMMAND, IDM_FILE_SAVE_AS, 0); });
    };
    auto loaded_question = [](const std::string& path) {
        return Strings{path + " is loaded; it will hold only the selected tactics' seasons. Replace it?"};
    };
    std::string spelled = dir_.File("LOADED.TXT"); // the same file
    EXPECT_EQ(save_to(spelled, IDNO), loaded_question(spelled));
    EXPECT_EQ(ReadBytes(loaded), kSeasons) << "No leaves the loaded file as it was";
    EXPECT_EQ(save_to(other, IDNO), Strings{other + " already exists. Replace it?"});
    EXPECT_EQ(ReadBytes(other), "other\n");

    EXPECT_EQ(save_to(loaded, IDYES), loaded_question(loaded));
    EXPECT_EQ(ReadBytes(loaded).find("Alpha"), std::string::npos) << "Yes: only the selected tactic's seasons";
    EXPECT_EQ(save_to(loaded, IDNO), loaded_question(loaded)) << "still the loaded file after it was replaced";
    EXPECT_EQ(save_to(dir_.File("new.txt"), IDNO), Strings{}) << "a new file: no question";
    EXPECT_NE(ReadBytes(dir_.File("new.txt")).find("Beta"), std::string::npos);
    SendMessageA(dialog_, WM_NOTIFY, IDC_MAIN_LIST, reinterpret_cast<LPARAM>(&names)); // Alpha, Beta
    EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_MAIN_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1)
        << "the selection follows its tactic through a sort";
}
