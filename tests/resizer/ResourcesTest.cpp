// The program's resources as the executable carries them: the layout hints in
// the dialog templates, the main dialog and its menu, the manifest, and the
// main window class.
#include "app/MainWindowClass.h"
#include "resizer/DialogTemplate.h"
#include "resizer/Resizer.h"
#include "resizer/TemplateBytes.h"
#include "resources/resource.h"

#include "common/WinTest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace {

void InitControls()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
}

// The creation data of every control of a dialog resource, by control id.
std::map<uint32_t, std::vector<uint8_t>> CreationData(int dialogId)
{
    std::map<uint32_t, std::vector<uint8_t>> data;
    HRSRC resource = FindResourceA(Instance(), MAKEINTRESOURCEA(dialogId), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!resource)
        return data;
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(Instance(), resource)));
    size_t size = SizeofResource(Instance(), resource);
    DlgTemplateHeader header;
    if (!DlgTemplate_ReadHeader(bytes, size, &header))
        return data;
    size_t at = header.firstItem;
    for (int i = 0; i < header.itemCount; ++i) {
        DlgTemplateItem item;
        if (!DlgTemplate_ReadItem(bytes, size, at, &item))
            break;
        data[item.id].assign(bytes + item.extraCountAt + 2, bytes + item.end);
        at = DlgTemplate_Align4(item.end);
    }
    return data;
}

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

} // namespace

// The resource compiler takes a mistyped creation-data block without a word,
// so each hinted control is checked for its six bytes; every other control
// of the dialog carries none.
TEST(Resources, HintedControlsCarryTheirLayoutHints)
{
    struct Dialog {
        int id;
        size_t controls;
        std::map<uint32_t, uint8_t> hinted; // id -> edge flags
    };
    const Dialog dialogs[] = {
        {IDD_MAIN,
         6,
         {{IDC_MAIN_CLOSE, 0x0F},
          {IDC_MAIN_LIST, 0x0A},
          {IDC_MAIN_STATUS, 0x0E},
          {IDC_MAIN_STATS, 0x0F},
          {IDC_MAIN_COMPARE, 0x0F},
          {IDC_MAIN_WEAKNESS, 0x0F}}},
        {IDD_STATISTICS, 37, {{IDC_STAT_CLOSE, 0x0F}, {IDC_STAT_WLD_GROUP, 0x0C}}},
    };
    for (const Dialog& d : dialogs) {
        auto data = CreationData(d.id);
        EXPECT_EQ(data.size(), d.controls) << "controls read from dialog " << d.id;
        for (const auto& [id, bytes] : data) {
            auto hint = d.hinted.find(id);
            if (hint != d.hinted.end())
                EXPECT_EQ(bytes, Template_Hint(hint->second)) << "dialog " << d.id << ", control " << id;
            else
                EXPECT_TRUE(bytes.empty()) << "dialog " << d.id << ", control " << id << " carries no data";
        }
        for (const auto& [id, edges] : d.hinted)
            EXPECT_EQ(data.count(id), 1u) << "dialog " << d.id << " has control " << id;
    }
}

TEST(Resources, MainDialogOpensWithCaptionClassMenuAndHiddenWeakness)
{
    InitControls();
    ASSERT_TRUE(RegisterMainWindowClass(Instance()));
    HWND dialog = ResizerCreateDialogParam(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, QuietProc, 0);
    ASSERT_NE(dialog, nullptr);

    char text[64] = {};
    GetWindowTextA(dialog, text, sizeof(text));
    EXPECT_STREQ(text, "KXRevUrad");
    GetClassNameA(dialog, text, sizeof(text));
    EXPECT_STRCASEEQ(text, kMainWindowClassName);

    HMENU menu = GetMenu(dialog);
    ASSERT_NE(menu, nullptr) << "the menu is attached";
    for (UINT command : {IDM_FILE_NEW, IDM_FILE_OPEN, IDM_FILE_ADD, IDM_FILE_SAVE_AS, IDM_FILE_EXIT,
                         IDM_TACTIC_STATISTICS, IDM_TACTIC_CALCULATE_EV, IDM_TACTIC_DIFFERENCE})
        EXPECT_NE(GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << "menu command " << command;

    for (int id : {IDC_MAIN_CLOSE, IDC_MAIN_STATS, IDC_MAIN_COMPARE, IDC_MAIN_WEAKNESS}) {
        HWND button = GetDlgItem(dialog, id);
        ASSERT_NE(button, nullptr) << "button " << id;
        bool shown = id != IDC_MAIN_WEAKNESS;
        EXPECT_EQ(IsWindowVisible(button) != FALSE, shown) << "visible, button " << id;
        EXPECT_EQ(IsWindowEnabled(button) != FALSE, shown) << "enabled, button " << id;
    }
    DestroyWindow(dialog);
    Pump();
}

// Version 6 of the common controls lives in the side-by-side store; only the
// manifest makes the program's calls reach it. (Its DllGetVersion is no help:
// Wine's answers 5.)
TEST(Resources, ManifestSelectsCommonControls6)
{
    InitControls();
    HMODULE comctl = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCSTR>(&InitCommonControlsEx), &comctl));
    char path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(comctl, path, sizeof(path)), 0u);
    std::string lower(path);
    for (char& ch : lower)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::string::npos)
        << "common controls loaded from " << path;
}

TEST(MainWindowClass, IsTheDialogClassUnderOurNameWithTheIcon)
{
    ASSERT_TRUE(RegisterMainWindowClass(Instance()));
    EXPECT_TRUE(RegisterMainWindowClass(Instance())) << "a second registration finds the class there";

    WNDCLASSEXA system{};
    system.cbSize = sizeof(system);
    ASSERT_TRUE(GetClassInfoExA(nullptr, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(32770)), &system));
    WNDCLASSEXA ours{};
    ours.cbSize = sizeof(ours);
    ASSERT_TRUE(GetClassInfoExA(Instance(), kMainWindowClassName, &ours));
    EXPECT_EQ(ours.lpfnWndProc, system.lpfnWndProc) << "the dialog window procedure";
    EXPECT_EQ(ours.cbWndExtra, system.cbWndExtra) << "room for the dialog's data";
    EXPECT_NE(ours.hIcon, nullptr) << "the application icon";
    EXPECT_NE(ours.hIconSm, nullptr) << "the small application icon";
}
