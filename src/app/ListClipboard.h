// Copying the results list as text, the way spreadsheets paste it.
#pragma once

#include "app/ResultsList.h"

#include <string>

// The selected rows (every row when none is selected) as text: a first line
// with the column titles, then one line per row, cells as the list shows
// them, separated by tabs, each line ended by CR LF.
std::string ListClipboard_Text(ResultsList* list);

// Puts ListClipboard_Text on the clipboard as CF_TEXT, owned by owner. When
// another program holds the clipboard nothing is copied.
void ListClipboard_Copy(HWND owner, ResultsList* list);
