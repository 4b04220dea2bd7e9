#include "app/ListClipboard.h"

#include "app/ResultsListText.h"

#include <cstring>
#include <vector>

namespace {

constexpr char kCellSeparator = '\t';
constexpr const char* kLineEnd = "\r\n";

int RowCount(ResultsList* list)
{
    return static_cast<int>(SendMessageA(list->list_view, LVM_GETITEMCOUNT, 0, 0));
}

// The first selected row after row (-1: from the top), or -1.
int NextSelected(ResultsList* list, int row)
{
    return static_cast<int>(SendMessageA(list->list_view, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
}

// The selected rows from top to bottom, or every row when none is selected.
std::vector<int> RowsToCopy(ResultsList* list)
{
    std::vector<int> rows;
    int row = NextSelected(list, -1);
    while (row >= 0) {
        rows.push_back(row);
        int next = NextSelected(list, row);
        if (next <= row) // the rows only go down; anything else would loop
            break;
        row = next;
    }
    if (rows.empty()) {
        for (int i = 0; i < RowCount(list); ++i)
            rows.push_back(i);
    }
    return rows;
}

// Appends one line: the texts of the columns, separated by tabs.
template <typename CellText>
void AppendLine(std::string& text, CellText cell_text)
{
    for (int column = 0; column < kResultsListColumns; ++column) {
        if (column > 0)
            text += kCellSeparator;
        text += cell_text(column);
    }
    text += kLineEnd;
}

} // namespace

std::string ListClipboard_Text(ResultsList* list)
{
    std::string text;
    AppendLine(text, [](int column) { return kResultsListColumnTable[column].title; });
    for (int row : RowsToCopy(list)) {
        AppendLine(text, [list, row](int column) {
            // The same text the list shows for the cell.
            LVITEMA item{};
            ResultsList_CellText(list, row, column, &item);
            return item.pszText;
        });
    }
    return text;
}

void ListClipboard_Copy(HWND owner, ResultsList* list)
{
    std::string text = ListClipboard_Text(list);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory)
        return;
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    bool copied = false;
    if (OpenClipboard(owner)) {
        EmptyClipboard();
        copied = SetClipboardData(CF_TEXT, memory) != nullptr; // the clipboard owns memory now
        CloseClipboard();
    }
    if (!copied)
        GlobalFree(memory);
}
