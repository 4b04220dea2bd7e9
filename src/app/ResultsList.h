// The main window's list of tactics: an owner-data report view whose row i
// always shows summary i of the book, with column sorting and selections.
#pragma once

#include "results/TacticBook.h"
#include "support/DArray.h"

#include <cstdint>
#include <windows.h>
#include <commctrl.h>

struct ResultsList {
    int32_t sort_column; // column code: 1-8, positive descending, negative ascending, 0 none
    HWND list_view;
    TacticBook* book;    // owned
    char* last_file;     // owned copy of the path loaded last, or null
    int ev_calculated;   // 1 from Calculate EV to New or Open: every load calculates EV again
    DArray* loaded_files; // owned heap strings: the paths loaded since the last clear
};

// A list on the given list-view control with an empty book, sorted by code 4.
ResultsList* ResultsList_Create(HWND list_view);
void ResultsList_Destroy(ResultsList* list);

// Inserts the eight columns: 1 when all went in, 0 when one failed.
int ResultsList_AddColumns(ResultsList* list);

// Replaces the book by an empty one, removes every row and drops the EV
// calculation.
void ResultsList_Clear(ResultsList* list);

// Adds the seasons of a file to the book and shows the result in the
// current order. Returns what the book's load returned (0, or -1 when the
// file could not be read).
int ResultsList_Load(ResultsList* list, const char* path);

// Whether path names one of the files loaded since the list was last
// cleared: the same file on disk, however either path is spelled.
bool ResultsList_HasLoaded(const ResultsList* list, const char* path);

// Loads the last file again into an empty book (calculating EV again if it
// was); nothing without one.
void ResultsList_Reload(ResultsList* list);

// Calculates EV and Prob of every tactic, now and after every later load
// until the list is cleared, and shows them in the current order.
void ResultsList_CalculateEv(ResultsList* list);

// Sorts by a column code: the same column again reverses the direction.
void ResultsList_SortBy(ResultsList* list, int code);

// Rebuilds the rows from the book.
void ResultsList_Refill(ResultsList* list);

// A new array (released by the caller with DArray_Destroy, no destructor) of
// the selected rows' summaries, from top to bottom.
DArray* ResultsList_Selection(ResultsList* list);

// Selects exactly the rows of the given tactics (found again by name); the
// first of them gets the focus and the selection mark.
void ResultsList_MarkSelection(ResultsList* list, const DArray* selection);

// Answers the list's request for a cell's text: formats it into the shared
// text buffer and points the item's text at it.
void ResultsList_CellText(ResultsList* list, int row, int column, LVITEMA* item);
