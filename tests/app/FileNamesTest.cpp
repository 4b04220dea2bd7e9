// File names with any characters (start, drop, file dialogs); Save as over a loaded file.
#include "app/CommandLine.h"
#include "app/FileDialogs.h"
#include "app/MainWindowFixture.h"
#include "support/WideText.h"

#include <commdlg.h>

#include <fstream>

namespace {

const char kSeasons[] = "Alpha 71-35 70\nBeta 50-50 52\nAlpha 60-40 61\n";
constexpr int kFileNameBox = 0x47c; // of the file dialogs (cmb13)
constexpr int kFilterBox = 0x470;   // (cmb1)

// A timer answers the file dialog captioned "Pick": reads its filter, types the name, presses OK.
std::wstring g_typed;
Names g_filters;

void CALLBACK AnswerPick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr; // the first one not answered yet
    while ((box = FindWindowExA(nullptr, box, "#32770", "Pick")) && !IsWindowEnabled(box)) {
    }
    if (!box)
        return;
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, kFilterBox, text, 1024);
    g_filters.push_back(WideText_ToUtf8(text));
    SendMessageW(box, CDM_SETCONTROLTEXT, kFileNameBox, reinterpret_cast<LPARAM>(g_typed.c_str()));
    EnableWindow(box, FALSE); // answered: not twice
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

class FileNamesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        unicode_ = dir_.Path() / L"результаты 日本.txt";
        std::ofstream(unicode_) << kSeasons;
    }
    void Open(std::vector<std::string> files)
    {
        std::vector<char*> names;
        for (std::string& file : files)
            names.push_back(file.data());
        MainWindowTest::Open(names);
    }

    std::filesystem::path unicode_;
};

} // namespace

TEST_F(FileNamesTest, AUnicodePathLoadsFromTheCommandLineAndADrop)
{
    // The program's own name is no file to load, even when it names one.
    Open(CommandLine_Files((L"\"" + unicode_.native() + L"\" \"" + unicode_.native() + L"\"").c_str()));
    EXPECT_EQ(Status(), "2 tactics, 3 runs loaded") << "named at start";

    std::wstring names = unicode_.native() + L'\0' + L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageW(dialog_, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(Status(), "2 tactics, 6 runs loaded") << "dropped";
    EXPECT_EQ(GlobalSize(memory), 0u) << "the drop is released";
}

TEST_F(FileNamesTest, FileDialogsGiveUnicodePathsAndSavingAsksNothingThere)
{
    for (auto choose : {ChooseFileToOpen, ChooseFileToSave}) {
        g_typed = unicode_.native();
        g_filters.clear();
        UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerPick);
        char* chosen = choose("Pick", "Text files", "*.txt");
        KillTimer(nullptr, timer);
        EXPECT_STREQ(chosen, WideText_ToUtf8(unicode_.c_str()).c_str());
        EXPECT_EQ(g_filters, Names{"Text files"}) << "the filter shown first; no question beside the dialog";
        Str_Free(chosen);
    }
}

TEST_F(FileNamesTest, SaveAsOverALoadedFileSaysSoAndNoLeavesItUntouched)
{
    std::string loaded = dir_.Write("loaded.txt", kSeasons);
    std::string other = dir_.Write("other.txt", "other\n");
    Open({loaded});
    ClickColumn(0); // Beta, Alpha
    Select({0});
    auto save_to = [&](const std::string& path, int button) {
        return ModalTexts([&] { Command(IDM_FILE_SAVE_AS, path); }, button);
    };
    auto loaded_question = [](const std::string& path) {
        return Names{"Note", path + " is loaded; it will hold only the selected tactics' seasons. Replace it?"};
    };
    std::string spelled = dir_.File("LOADED.TXT"); // the same file
    EXPECT_EQ(save_to(spelled, IDNO), loaded_question(spelled));
    EXPECT_EQ(ReadBytes(loaded), kSeasons) << "No leaves the loaded file as it was";
    EXPECT_EQ(save_to(other, IDNO), (Names{"Note", other + " already exists. Replace it?"}));
    EXPECT_EQ(ReadBytes(other), "other\n");

    EXPECT_EQ(save_to(loaded, IDYES), loaded_question(loaded));
    EXPECT_EQ(ReadBytes(loaded).find("Alpha"), std::string::npos) << "Yes: only the selected tactic's seasons";
    EXPECT_EQ(save_to(loaded, IDNO), loaded_question(loaded)) << "still the loaded file after it was replaced";
    EXPECT_EQ(save_to(dir_.File("new.txt"), IDNO), Names{}) << "a new file: no question";
    EXPECT_NE(ReadBytes(dir_.File("new.txt")).find("Beta"), std::string::npos);
    ClickColumn(0); // Alpha, Beta
    EXPECT_EQ(Rows(LVIS_SELECTED), Names{"Beta"}) << "the selection follows its tactic through a sort";
}
