#include "app/ResultsList.h"

#include "app/ResultsListText.h"
#include "app/TextBuffer.h"
#include "results/TacticOrder.h"
#include "stats/TacticEv.h"
#include "support/Memory.h"
#include "support/Str.h"
#include "support/WideText.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <vector>

namespace {

constexpr int kInitialSortCode = 4;
constexpr int kSelectionCapacity = 16;
constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;

int SummaryCount(const ResultsList* list)
{
    return list->book->summaries->count;
}

int ItemCount(const ResultsList* list)
{
    return static_cast<int>(SendMessageA(list->list_view, LVM_GETITEMCOUNT, 0, 0));
}

// The selected rows, from top to bottom.
std::vector<int> SelectedRows(const ResultsList* list)
{
    HWND view = list->list_view;
    int selected = static_cast<int>(SendMessageA(view, LVM_GETSELECTEDCOUNT, 0, 0));
    std::vector<int> rows;
    if (selected == ItemCount(list)) {
        // Every row (Ctrl+A): no need to ask for each one.
        rows.resize(static_cast<std::size_t>(selected));
        std::iota(rows.begin(), rows.end(), 0);
        return rows;
    }
    int row = static_cast<int>(SendMessageA(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    while (row >= 0) {
        rows.push_back(row);
        int next =
            static_cast<int>(SendMessageA(view, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED | LVNI_BELOW));
        if (next <= row) // the rows only go down; anything else would loop
            break;
        row = next;
    }
    return rows;
}

// Draws the list again, once: one message per row would cost a round trip
// to the window system each, which at tens of thousands of rows takes seconds.
void RedrawList(const ResultsList* list)
{
    InvalidateRect(list->list_view, nullptr, TRUE);
}

void FreeString(void* text)
{
    Str_Free(static_cast<char*>(text));
}

// The volume and file index of the file at path, which name it however the
// path is spelled (case, short names, links); false when it cannot be opened.
bool FileIdentityOf(const char* path, BY_HANDLE_FILE_INFORMATION* info)
{
    HANDLE file = CreateFileW(WideText_FromUtf8(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BOOL known = GetFileInformationByHandle(file, info);
    CloseHandle(file);
    return known;
}

bool SameFile(const char* a, const char* b)
{
    BY_HANDLE_FILE_INFORMATION ia, ib;
    return FileIdentityOf(a, &ia) && FileIdentityOf(b, &ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

void SetItemState(HWND list_view, int row, UINT state, UINT mask)
{
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageA(list_view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Sorts again in the current order: with sort_column 0, SortBy sets it back
// to code and sorts in the same direction.
void ReapplyOrder(ResultsList* list)
{
    int code = list->sort_column;
    list->sort_column = 0;
    ResultsList_SortBy(list, code);
}

} // namespace

char* TextBuffer()
{
    static char buffer[kTextBufferSize];
    return buffer;
}

ResultsList* ResultsList_Create(HWND list_view)
{
    auto* list = static_cast<ResultsList*>(Mem_Alloc(sizeof(ResultsList)));
    list->book = TacticBook_Create();
    list->list_view = list_view;
    SendMessageA(list_view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListStyles);
    list->sort_column = kInitialSortCode;
    list->last_file = nullptr;
    list->ev_calculated = 0;
    list->loaded_files = DArray_Create(0);
    return list;
}

void ResultsList_Destroy(ResultsList* list)
{
    if (!list)
        return;
    TacticBook_Destroy(list->book);
    Str_Free(list->last_file);
    DArray_Destroy(list->loaded_files, FreeString);
    Mem_Free(list);
}

int ResultsList_AddColumns(ResultsList* list)
{
    for (int i = 0; i < kResultsListColumns; ++i) {
        const ResultsListColumn& column = kResultsListColumnTable[i];
        LVCOLUMNA lvc{};
        lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvc.fmt = column.centred ? LVCFMT_CENTER : LVCFMT_LEFT;
        lvc.cx = column.width;
        lvc.pszText = const_cast<char*>(column.title);
        lvc.iSubItem = i;
        if (SendMessageA(list->list_view, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&lvc)) == -1)
            return 0;
    }
    return 1;
}

void ResultsList_Clear(ResultsList* list)
{
    TacticBook_Destroy(list->book);
    list->book = TacticBook_Create();
    Str_Free(list->last_file);
    list->last_file = nullptr;
    list->ev_calculated = 0;
    DArray_Destroy(list->loaded_files, FreeString);
    list->loaded_files = DArray_Create(0);
    SendMessageA(list->list_view, LVM_SETITEMCOUNT, 0, 0);
}

int ResultsList_Load(ResultsList* list, const char* path)
{
    Str_Free(list->last_file);
    list->last_file = path ? Str_Dup(path) : nullptr;
    int result = TacticBook_LoadFile(list->book, path);
    if (result != kLoadNoFile)
        DArray_Append(list->loaded_files, Str_Dup(path));
    if (list->ev_calculated)
        TacticBook_CalculateEv(list->book);
    ReapplyOrder(list);
    ResultsList_Refill(list);
    return result;
}

bool ResultsList_HasLoaded(const ResultsList* list, const char* path)
{
    // Compared when asked, not when loaded: a loaded file replaced since
    // (saved over) is still the file at that path.
    for (int i = 0; i < list->loaded_files->count; ++i) {
        if (SameFile(static_cast<const char*>(list->loaded_files->elems[i]), path))
            return true;
    }
    return false;
}

void ResultsList_Reload(ResultsList* list)
{
    if (!list->last_file)
        return;
    char* path = list->last_file;
    list->last_file = nullptr;
    int ev_calculated = list->ev_calculated;
    ResultsList_Clear(list);
    list->ev_calculated = ev_calculated;
    ResultsList_Load(list, path);
    Str_Free(path);
}

void ResultsList_CalculateEv(ResultsList* list)
{
    list->ev_calculated = 1;
    TacticBook_CalculateEv(list->book);
    ReapplyOrder(list);
    InvalidateRect(list->list_view, nullptr, TRUE);
}

void ResultsList_SortBy(ResultsList* list, int code)
{
    if (code == 0)
        return;
    list->sort_column = ResultsList_NextSortCode(list->sort_column, code);
    TacticBook_Sort(list->book, list->sort_column);
    RedrawList(list); // every row shows another tactic now
}

void ResultsList_Refill(ResultsList* list)
{
    // An owner-data list holds no items of its own: its count is its rows.
    SendMessageA(list->list_view, LVM_SETITEMCOUNT, 0, 0);
    SendMessageA(list->list_view, LVM_SETITEMCOUNT, static_cast<WPARAM>(SummaryCount(list)), 0);
    InvalidateRect(list->list_view, nullptr, TRUE);
}

DArray* ResultsList_Selection(ResultsList* list)
{
    DArray* selection = DArray_Create(kSelectionCapacity);
    for (int row : SelectedRows(list)) {
        if (row >= SummaryCount(list))
            break;
        DArray_Append(selection, list->book->summaries->elems[row]);
    }
    return selection;
}

void ResultsList_MarkSelection(ResultsList* list, const DArray* selection)
{
    HWND view = list->list_view;
    std::vector<int> now = SelectedRows(list);
    std::vector<int> rows = ResultsList_RowsOfTactics(list->book->summaries, selection);
    std::vector<int> wanted = rows;
    std::sort(wanted.begin(), wanted.end());
    // Only the rows whose state changes are touched, in ascending order (the
    // control keeps its selection as ranges, which then merge rather than
    // shift), and the list is drawn once at the end instead of once per row.
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    std::vector<int> changes;
    std::set_symmetric_difference(now.begin(), now.end(), wanted.begin(), wanted.end(), std::back_inserter(changes));
    for (int row : changes) {
        bool select = std::binary_search(wanted.begin(), wanted.end(), row);
        SetItemState(view, row, select ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    if (!rows.empty()) {
        SetItemState(view, rows.front(), LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageA(view, LVM_SETSELECTIONMARK, 0, rows.front());
    }
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    RedrawList(list);
}

void ResultsList_CellText(ResultsList* list, int row, int column, LVITEMA* item)
{
    char* buffer = TextBuffer();
    buffer[0] = '\0';
    if (row >= 0 && row < SummaryCount(list)) {
        const auto* summary = static_cast<const TacticSummary*>(list->book->summaries->elems[row]);
        ResultsList_FormatCell(summary, column, buffer, kTextBufferSize);
    }
    item->pszText = buffer;
}
