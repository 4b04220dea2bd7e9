// Tactic, Calculate EV in the main window on the example results file.
#include "app/MainDialog.h"
#include "app/MainWindowClass.h"
#include "common/WinTest.h"
#include "resources/resource.h"
#include "support/Str.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

const char kExample[] = "Z:" KX_EXAMPLE_RESULTS; // as Wine sees it: drive Z: is the root

char* ChooseExample(const char*, const char*, const char*) { return Str_Dup(kExample); }

// The cells of a column from the top row down, joined by '|'.
std::string Column(HWND list, int column)
{
    std::string cells;
    for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
        char text[256] = "";
        ListView_GetItemText(list, row, column, text, sizeof text);
        cells += (row > 0 ? "|" : "") + std::string(text);
    }
    return cells;
}

} // namespace

TEST(CalculateEv, ShowsEvAndProbUntilNew)
{
    ASSERT_TRUE(RegisterMainWindowClass(Instance()));
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    InitCommonControlsEx(&controls);
    const MainDialogFileChooser chooser = {ChooseExample, ChooseExample};
    MainDialogStart start{&chooser, 0, nullptr};
    HWND dialog = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&start));
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDC_MAIN_LIST);
    auto command = [&](int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0); };
    command(IDM_FILE_OPEN);
    ResultsList_SortBy(MainDialog_List(dialog), 7); // as a click on "Prob": as "Points" until calculated
    command(IDM_TACTIC_CALCULATE_EV);                // then the best chance first
    // Means and chances from a 30-digit computation of the model on the file.
    const std::string expected = "Counter442|Press433|Wing352|Park532|Press433_old|Diamond4312|Counter442_v2 "
                                 "72.36|70.74|68.59|67.49|63.84|53.76|40.91 79%|19%|1%|0%|0%|0%|0%";
    EXPECT_EQ(Column(list, 0) + " " + Column(list, 5) + " " + Column(list, 6), expected);
    command(IDM_RELOAD);
    EXPECT_EQ(Column(list, 0) + " " + Column(list, 5) + " " + Column(list, 6), expected) << "after a reload";
    command(IDM_FILE_NEW);
    command(IDM_FILE_ADD);
    EXPECT_EQ(Column(list, 6), "||||||") << "New (and so Open) drops the calculation";
    DestroyWindow(dialog);
    Pump();
}
