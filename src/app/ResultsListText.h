// What the results list shows, apart from the window: column titles and
// widths, the text of every cell, the sort code a column click gives, and
// which rows hold earlier-selected tactics after a re-ordering.
#pragma once

#include "results/TacticBook.h"
#include "support/DArray.h"

#include <cstddef>
#include <vector>

constexpr int kResultsListColumns = 8;

struct ResultsListColumn {
    const char* title;
    int width;      // pixels
    bool centred;   // else left-aligned
};

// The eight columns in order: "Tactic name", "Goals", "Conceded", "Points",
// "Pts avg", "EV", "Prob", "#".
extern const ResultsListColumn kResultsListColumnTable[kResultsListColumns];

// Formats the text of a cell of summary into buffer (size bytes, terminator
// included). A column outside 0-7 leaves the buffer empty; a value that is
// not a number (the interval of a single season) shows as "n/a". "Prob" is
// empty until EV is calculated, then a percentage or "n/a".
void ResultsList_FormatCell(const TacticSummary* summary, int column, char* buffer, std::size_t size);

// The sort code after a click on the column with the given code: the same
// column (either direction) reverses the direction, another column sorts it
// descending. A clicked code of 0 keeps the current code.
int ResultsList_NextSortCode(int current, int clicked);

// The rows of summaries that hold the given tactics (TacticSummary*, matched
// by name), in the selection's order; tactics no row has are left out.
std::vector<int> ResultsList_RowsOfTactics(const DArray* summaries, const DArray* selection);
