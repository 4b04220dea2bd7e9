// One season of one tactic, as a results file records it.
#pragma once

#include <cstdint>
#include <cstdio>

struct TacticResult {
    char* name;            // heap string, owned; never contains a blank or tab
    int32_t goals_for;
    int32_t goals_against;
    int32_t points;
    int32_t games;         // 26 when the line does not give it
    int32_t won;
    int32_t drawn;
    int32_t lost;
    int counted;           // 1 once absorbed into a tactic summary
};

// A new record: empty name, all numbers 0 but games 26, not counted.
TacticResult* TacticResult_Create();

// Reads lines until one parses as a season and returns its record, or null
// when the file ends first or a read error comes first (the line that the
// error cut short is not read as a season). Lines that are skipped are
// consumed.
//
// A season line is: the name (first column up to the first blank or tab);
// goals for and against joined by '-'; the points; optionally the games; and
// after the games optionally won, drawn and lost joined by '-'. Lines of 10
// characters or fewer, and lines starting with ';', '#', a blank or a tab, are
// skipped, and so are lines without a separator after the name, without a '-'
// in the goals field or without points.
TacticResult* TacticResult_ReadNext(std::FILE* file);

// Writes the record as one line: "%-25s %2i-%-2i %2i %i %i-%i-%i\n".
void TacticResult_Write(const TacticResult* result, std::FILE* file);

// Releases the name and the record; null is ignored.
void TacticResult_Destroy(TacticResult* result);
