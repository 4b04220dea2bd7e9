// The program's resources as the executable carries them: main dialog 1001,
// its menu, the icon, the manifest, and the main window class.
#include "app/MainWindowClass.h"
#include "resizer/DialogTemplate.h"
#include "resizer/Resizer.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

HINSTANCE Instance()
{
    return GetModuleHandleA(nullptr);
}

std::vector<uint8_t> ResourceBytes(LPCSTR name, LPCSTR type)
{
    HRSRC resource = FindResourceA(Instance(), name, type);
    if (!resource)
        return {};
    HGLOBAL loaded = LoadResource(Instance(), resource);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
    if (!bytes)
        return {};
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(Instance(), resource));
}

void InitControls()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
}

struct TemplateControl {
    uint32_t id;
    const char* windowClass;
    const char* text;
    uint32_t style;
    int16_t x, y, cx, cy;
    uint8_t edges;
};

const TemplateControl kMainTemplate[] = {
    {6006, "Button", "Close", 0x50010F00, 444, 52, 44, 12, 0x0F},
    {4001, "SysListView32", "", 0x50811801, 0, 0, 438, 64, 0x0A},
    {7000, "msctls_statusbar32", "", 0x50000003, 0, 65, 490, 11, 0x0E},
    {4002, "Button", "Stats", 0x50010000, 444, 36, 44, 12, 0x0F},
    {4007, "Button", "Compare", 0x50010000, 444, 20, 44, 12, 0x0F},
    {4010, "Button", "Weakness", 0x48010000, 444, 4, 44, 12, 0x0F},
};

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

} // namespace

TEST(Resources, MainDialogTemplateMatchesItsTable)
{
    std::vector<uint8_t> bytes = ResourceBytes(MAKEINTRESOURCEA(IDD_MAIN), reinterpret_cast<LPCSTR>(RT_DIALOG));
    ASSERT_FALSE(bytes.empty()) << "dialog 1001 is linked in";
    DlgTemplateHeader header;
    ASSERT_TRUE(DlgTemplate_ReadHeader(bytes.data(), bytes.size(), &header)) << "an extended template";
    EXPECT_EQ(header.style, 0x10CD00CCu);
    EXPECT_EQ(header.exStyle, static_cast<uint32_t>(WS_EX_APPWINDOW));
    EXPECT_EQ(header.x, 6);
    EXPECT_EQ(header.y, 18);
    EXPECT_EQ(header.cx, 490);
    EXPECT_EQ(header.cy, 76);
    ASSERT_EQ(header.itemCount, std::size(kMainTemplate));

    size_t at = header.firstItem;
    for (const TemplateControl& c : kMainTemplate) {
        SCOPED_TRACE(c.text[0] ? c.text : c.windowClass);
        DlgTemplateItem item;
        ASSERT_TRUE(DlgTemplate_ReadItem(bytes.data(), bytes.size(), at, &item));
        EXPECT_EQ(item.id, c.id);
        EXPECT_EQ(item.style, c.style) << std::hex << "style " << item.style;
        EXPECT_EQ(item.x, c.x);
        EXPECT_EQ(item.y, c.y);
        EXPECT_EQ(item.cx, c.cx);
        EXPECT_EQ(item.cy, c.cy);
        ASSERT_EQ(item.extraCount, 6) << "a 6-byte layout hint";
        std::vector<uint8_t> data(bytes.begin() + static_cast<std::ptrdiff_t>(item.extraCountAt + 2),
                                  bytes.begin() + static_cast<std::ptrdiff_t>(item.end));
        EXPECT_EQ(data, (std::vector<uint8_t>{0xDE, 0xC0, 0x01, 0x00, c.edges, 0x00}));
        at = DlgTemplate_Align4(item.end);
    }
}

TEST(Resources, MainDialogOpensWithCaptionClassMenuAndControls)
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
    EXPECT_NE(GetMenu(dialog), nullptr) << "the menu is attached";

    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, "MS Shell Dlg");

    for (const TemplateControl& c : kMainTemplate) {
        SCOPED_TRACE(c.text[0] ? c.text : c.windowClass);
        HWND control = GetDlgItem(dialog, static_cast<int>(c.id));
        ASSERT_NE(control, nullptr);
        GetClassNameA(control, text, sizeof(text));
        EXPECT_STRCASEEQ(text, c.windowClass);
        GetWindowTextA(control, text, sizeof(text));
        EXPECT_STREQ(text, c.text);
        bool hidden = c.id == IDC_MAIN_WEAKNESS;
        EXPECT_EQ(IsWindowVisible(control) != FALSE, !hidden) << "visible";
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, !hidden) << "enabled";
    }
    DestroyWindow(dialog);
    MSG msg;
    for (int i = 0; i < 500 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
        DispatchMessageA(&msg);
}

TEST(Resources, MenuHasTheFileAndTacticCommands)
{
    struct Item {
        const char* text; // null for a separator
        UINT id;
    };
    struct Popup {
        const char* text;
        std::vector<Item> items;
    };
    const Popup popups[] = {
        {"&File",
         {{"&New", IDM_FILE_NEW},
          {"&Open", IDM_FILE_OPEN},
          {"&Add File", IDM_FILE_ADD},
          {"Save as", IDM_FILE_SAVE_AS},
          {nullptr, 0},
          {"E&xit", IDM_FILE_EXIT}}},
        {"Tactic",
         {{"Statistics", IDM_TACTIC_STATISTICS},
          {"Calculate EV", IDM_TACTIC_CALCULATE_EV},
          {"Difference", IDM_TACTIC_DIFFERENCE}}},
    };
    HMENU menu = LoadMenuA(Instance(), "KXREVURAD_MENU");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(std::size(popups)));
    char text[64];
    for (int p = 0; p < static_cast<int>(std::size(popups)); ++p) {
        GetMenuStringA(menu, p, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, popups[p].text);
        HMENU sub = GetSubMenu(menu, p);
        ASSERT_NE(sub, nullptr) << popups[p].text;
        ASSERT_EQ(GetMenuItemCount(sub), static_cast<int>(popups[p].items.size())) << popups[p].text;
        for (int i = 0; i < GetMenuItemCount(sub); ++i) {
            const Item& expected = popups[p].items[i];
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID;
            ASSERT_TRUE(GetMenuItemInfoA(sub, i, TRUE, &info));
            if (!expected.text) {
                EXPECT_TRUE(info.fType & MFT_SEPARATOR) << popups[p].text << " item " << i << " is a separator";
                continue;
            }
            GetMenuStringA(sub, i, text, sizeof(text), MF_BYPOSITION);
            EXPECT_STREQ(text, expected.text) << popups[p].text << " item " << i;
            EXPECT_EQ(info.wID, expected.id) << expected.text;
        }
    }
    DestroyMenu(menu);
}

TEST(Resources, IconHasFourSizesThatLoad)
{
    std::vector<uint8_t> group = ResourceBytes(MAKEINTRESOURCEA(IDI_APP), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_GE(group.size(), 6u) << "icon group " << IDI_APP << " is linked in";
    const int sizes[] = {16, 24, 32, 48};
    ASSERT_EQ(DlgTemplate_Word(group.data(), 4), std::size(sizes)) << "images in the icon";
    ASSERT_EQ(group.size(), 6 + 14 * std::size(sizes));
    for (size_t i = 0; i < std::size(sizes); ++i) {
        const uint8_t* entry = group.data() + 6 + 14 * i;
        EXPECT_EQ(entry[0], sizes[i]) << "width of image " << i;
        EXPECT_EQ(entry[1], sizes[i]) << "height of image " << i;
        EXPECT_EQ(DlgTemplate_Word(entry, 6), 32) << "bits per pixel of image " << i;
    }
    for (int size : sizes) {
        auto icon = static_cast<HICON>(
            LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
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
    EXPECT_EQ(ours.style, system.style);
    EXPECT_NE(ours.hIcon, nullptr) << "the application icon";
    EXPECT_NE(ours.hIconSm, nullptr) << "the small application icon";
}
