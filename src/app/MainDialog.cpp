#include "app/MainDialog.h"

#include "app/AboutBox.h"
#include "app/FileDialogs.h"
#include "app/ListClipboard.h"
#include "app/MainWindowClass.h"
#include "app/Note.h"
#include "app/TextBuffer.h"
#include "app/WaitCursor.h"
#include "compare/DifferenceDialog.h"
#include "resizer/Resizer.h"
#include "resources/resource.h"
#include "stats/StatisticsDialog.h"
#include "support/FilePath.h"
#include "support/Memory.h"
#include "support/Str.h"
#include "support/WideText.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* kTextFiles = "Text files";
constexpr const char* kTextPattern = "*.txt";

const MainDialogFileChooser kCommonFileDialogs = {ChooseFileToOpen, ChooseFileToSave};

// The main dialog's own state, kept with the window (DWLP_USER).
struct MainWindow {
    ResultsList* list;                    // owned
    const MainDialogFileChooser* chooser; // borrowed
};

MainWindow* StateOf(HWND dialog)
{
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void SetStatus(HWND dialog, const char* text)
{
    SendDlgItemMessageA(dialog, IDC_MAIN_STATUS, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

// "%i tactics, %i runs loaded\n" with the book's counts.
void ShowCounts(HWND dialog, const ResultsList* list)
{
    char* buffer = TextBuffer();
    std::snprintf(buffer, kStatusTextLimit, "%i tactics, %i runs loaded\n",
                  static_cast<int>(list->book->summaries->count), static_cast<int>(list->book->results->count));
    SetStatus(dialog, buffer);
}

// What a load that went wrong says, with the path in place of %s.
struct LoadNote {
    int result; // of TacticBook_LoadFile
    const char* format;
};

const LoadNote kLoadNotes[] = {
    {kLoadNoFile, "Could not open %s\n"},
    {kLoadReadError, "Could not read %s\n"},
};

void ShowLoadNote(HWND dialog, int result, const char* path)
{
    for (const LoadNote& note : kLoadNotes) {
        if (note.result != result)
            continue;
        std::vector<char> message(std::strlen(note.format) + std::strlen(path) + 1);
        std::snprintf(message.data(), message.size(), note.format, path);
        ShowNote(dialog, message.data());
    }
}

// Whether path names a file, not a folder, that opens for reading.
bool CanOpen(const char* path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(File_PathOf(path), error))
        return false;
    std::FILE* file = File_Open(path, "r");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

// Loads a file into what is shown (after emptying the list when replace is
// set) and shows the counts. A file that cannot be opened changes nothing; a
// read error keeps the seasons read before it. Either shows a note.
void LoadFile(HWND dialog, MainWindow* window, const char* path, bool replace)
{
    int result = kLoadNoFile;
    if (CanOpen(path)) {
        WaitCursor wait;
        if (replace)
            ResultsList_Clear(window->list);
        result = ResultsList_Load(window->list, path);
        ShowCounts(dialog, window->list);
    }
    ShowLoadNote(dialog, result, path);
}

// Loads one more file into what is shown.
void AddFile(HWND dialog, MainWindow* window, const char* path)
{
    LoadFile(dialog, window, path, false);
}

// Commands ----------------------------------------------------------------

void OnNew(HWND dialog, MainWindow* window)
{
    ResultsList_Clear(window->list);
    ShowCounts(dialog, window->list);
}

void OpenOrAdd(HWND dialog, MainWindow* window, bool replace)
{
    char* path = window->chooser->choose_open("Choose tactic result file", kTextFiles, kTextPattern);
    if (!path)
        return;
    LoadFile(dialog, window, path, replace);
    Str_Free(path);
}

void OnOpen(HWND dialog, MainWindow* window) { OpenOrAdd(dialog, window, true); }
void OnAddFile(HWND dialog, MainWindow* window) { OpenOrAdd(dialog, window, false); }

// A note that names a file (format with one %s): returns the button chosen.
int ShowNoteAboutFile(HWND dialog, const char* format, const char* path, UINT buttons = MB_OK)
{
    std::vector<char> message(std::strlen(format) + std::strlen(path) + 1);
    std::snprintf(message.data(), message.size(), format, path);
    return ShowNote(dialog, message.data(), buttons);
}

bool FileExists(const char* path)
{
    return GetFileAttributesW(WideText_FromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Asks before the selection's seasons replace a file: one question, which
// says so when the file is one of the loaded ones. True to go on.
bool MayReplace(HWND dialog, const ResultsList* list, const char* path)
{
    const char* question = nullptr;
    if (ResultsList_HasLoaded(list, path))
        question = "%s is loaded; it will hold only the selected tactics' seasons. Replace it?";
    else if (FileExists(path))
        question = "%s already exists. Replace it?";
    return !question || ShowNoteAboutFile(dialog, question, path, MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void OnSaveAs(HWND dialog, MainWindow* window)
{
    DArray* selection = ResultsList_Selection(window->list); // ours to destroy
    if (selection->count < 1) {
        ShowNote(dialog, "Select tactics to save\n");
    } else if (char* path = window->chooser->choose_save("Select file to save to", kTextFiles, kTextPattern)) {
        if (MayReplace(dialog, window->list, path) && TacticBook_SaveSummaries(path, selection) != 0)
            ShowNoteAboutFile(dialog, "Could not save %s\n", path);
        Str_Free(path);
    }
    DArray_Destroy(selection, nullptr);
}

void OnExit(HWND dialog, MainWindow*) { EndDialog(dialog, 1); }

// Statistics and Difference open their dialog on the selected tactics; the
// same tactics are selected again afterwards.
void WithSelection(HWND dialog, MainWindow* window, int (*command)(HWND owner, const DArray* selection))
{
    DArray* selection = ResultsList_Selection(window->list); // ours to destroy
    command(dialog, selection);
    ResultsList_MarkSelection(window->list, selection);
    DArray_Destroy(selection, nullptr);
}

void OnStatistics(HWND dialog, MainWindow* window) { WithSelection(dialog, window, Statistics_Command); }
void OnDifference(HWND dialog, MainWindow* window) { WithSelection(dialog, window, Difference_Command); }

// Fills EV and Prob; the selected tactics stay selected when the order changes.
void OnCalculateEv(HWND, MainWindow* window)
{
    WaitCursor wait;
    DArray* selection = ResultsList_Selection(window->list); // ours to destroy
    ResultsList_CalculateEv(window->list);
    ResultsList_MarkSelection(window->list, selection);
    DArray_Destroy(selection, nullptr);
}

void OnReload(HWND dialog, MainWindow* window)
{
    WaitCursor wait;
    ResultsList_Reload(window->list);
    ShowCounts(dialog, window->list);
}

void OnAbout(HWND dialog, MainWindow*) { AboutBox_Show(dialog); }

struct Command {
    int id;
    void (*run)(HWND dialog, MainWindow* window);
    BOOL result; // what the dialog procedure answers for the command
};

// The hidden "Weakness" button and Escape do nothing.
const Command kCommands[] = {
    {IDM_FILE_NEW, OnNew, FALSE},       {IDM_FILE_OPEN, OnOpen, FALSE},
    {IDM_FILE_ADD, OnAddFile, FALSE},   {IDM_FILE_SAVE_AS, OnSaveAs, TRUE},
    {IDM_FILE_EXIT, OnExit, FALSE},     {IDOK, OnExit, FALSE},
    {IDM_RELOAD, OnReload, FALSE},
    {IDM_TACTIC_STATISTICS, OnStatistics, TRUE}, {IDC_MAIN_STATS, OnStatistics, TRUE},
    {IDM_TACTIC_DIFFERENCE, OnDifference, TRUE}, {IDC_MAIN_COMPARE, OnDifference, TRUE},
    {IDM_TACTIC_CALCULATE_EV, OnCalculateEv, FALSE},
    {IDM_HELP_ABOUT, OnAbout, TRUE},
};

// The list's keys and clicks ---------------------------------------------

void CopyRows(HWND dialog, MainWindow* window) { ListClipboard_Copy(dialog, window->list); }

void SelectAllRows(HWND, MainWindow* window)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(window->list->list_view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

struct ControlKey {
    WORD key; // with Ctrl held
    void (*run)(HWND dialog, MainWindow* window);
};

const ControlKey kListKeys[] = {
    {'C', CopyRows},
    {'A', SelectAllRows},
};

void OnListKeyDown(HWND dialog, MainWindow* window, const NMLVKEYDOWN* key)
{
    if (GetKeyState(VK_CONTROL) >= 0)
        return;
    for (const ControlKey& control_key : kListKeys) {
        if (control_key.key == key->wVKey)
            control_key.run(dialog, window);
    }
}

// A double-click on a row opens Statistics of that row's tactic, whatever
// else is selected.
void OnListDoubleClick(HWND dialog, MainWindow* window, const NMITEMACTIVATE* click)
{
    const DArray* summaries = window->list->book->summaries;
    if (click->iItem < 0 || click->iItem >= summaries->count)
        return;
    DArray* tactic = DArray_Create(1);
    DArray_Append(tactic, summaries->elems[click->iItem]);
    Statistics_Command(dialog, tactic);
    DArray_Destroy(tactic, nullptr);
}

// Messages ----------------------------------------------------------------

BOOL OnInitDialog(HWND dialog, const MainDialogStart* start)
{
    auto* window = static_cast<MainWindow*>(Mem_Alloc(sizeof(MainWindow)));
    window->list = ResultsList_Create(GetDlgItem(dialog, IDC_MAIN_LIST));
    window->chooser = start && start->chooser ? start->chooser : &kCommonFileDialogs;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(window));
    ResultsList_AddColumns(window->list);

    TextBuffer()[0] = '\0';
    SetStatus(dialog, TextBuffer());
    DragAcceptFiles(dialog, TRUE);

    if (start) {
        for (int i = 0; i < start->file_count; ++i)
            AddFile(dialog, window, start->files[i]);
    }
    return TRUE;
}

BOOL OnCommand(HWND dialog, WPARAM wparam)
{
    MainWindow* window = StateOf(dialog);
    int id = LOWORD(wparam);
    for (const Command& command : kCommands) {
        if (command.id == id) {
            command.run(dialog, window);
            return command.result;
        }
    }
    return FALSE;
}

BOOL OnNotify(HWND dialog, const NMHDR* header)
{
    MainWindow* window = StateOf(dialog);
    if (header->idFrom != IDC_MAIN_LIST)
        return FALSE;
    if (header->code == LVN_COLUMNCLICK) {
        const auto* click = reinterpret_cast<const NMLISTVIEW*>(header);
        WaitCursor wait;
        DArray* selection = ResultsList_Selection(window->list);
        ResultsList_SortBy(window->list, click->iSubItem + 1);
        ResultsList_MarkSelection(window->list, selection);
        DArray_Destroy(selection, nullptr);
    } else if (header->code == LVN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header));
        ResultsList_CellText(window->list, info->item.iItem, info->item.iSubItem, &info->item);
    } else if (header->code == LVN_KEYDOWN) {
        OnListKeyDown(dialog, window, reinterpret_cast<const NMLVKEYDOWN*>(header));
    } else if (header->code == NM_DBLCLK) {
        OnListDoubleClick(dialog, window, reinterpret_cast<const NMITEMACTIVATE*>(header));
    }
    return FALSE;
}

// Files dropped on the window are added as with Add File, in order. Their
// names are taken wide, so that any name arrives whole.
BOOL OnDropFiles(HWND dialog, HDROP drop)
{
    MainWindow* window = StateOf(dialog);
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        if (DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())) > 0)
            AddFile(dialog, window, WideText_ToUtf8(path.c_str()).c_str());
    }
    DragFinish(drop);
    return TRUE;
}

BOOL OnDestroy(HWND dialog)
{
    MainWindow* window = StateOf(dialog);
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
    if (window) {
        ResultsList_Destroy(window->list);
        Mem_Free(window);
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const MainDialogStart*>(lparam));
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, wparam);
    case WM_NOTIFY:
        return OnNotify(dialog, reinterpret_cast<const NMHDR*>(lparam));
    case WM_DROPFILES:
        return OnDropFiles(dialog, reinterpret_cast<HDROP>(wparam));
    case WM_DESTROY:
        return OnDestroy(dialog);
    default:
        return FALSE;
    }
}

ResultsList* MainDialog_List(HWND dialog)
{
    MainWindow* window = StateOf(dialog);
    return window ? window->list : nullptr;
}

int MainWindow_Run(HINSTANCE instance, const MainDialogStart* start)
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF; // list view, tree view, bar, tab, up-down, progress, hot-key, animate
    InitCommonControlsEx(&controls);
    if (!RegisterMainWindowClass(instance))
        return 0;
    return static_cast<int>(ResizerDialogBoxParam(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                                  reinterpret_cast<LPARAM>(start)));
}
