// The line filter and grammar of a season line, shared by the record reader
// (TacticResult_ReadNext) and the book's loader.
#pragma once

#include "results/TacticResult.h"

#include <cstddef>

// The values of a new record; the name is left to the maker.
inline constexpr TacticResult kNewSeason = {nullptr, 0, 0, 0, 26, 0, 0, 0, 0};

// Parses line[0, length) into the numbers of *season (which holds
// kNewSeason's values on entry) and the length of the name at the line's
// start. The line holds no NUL byte and is followed by one. False for a line
// that the filter skips (10 characters or fewer, or starting with ';', '#', a
// blank or a tab) and for one without a separator after the name, without a
// '-' in the goals field or without points.
bool SeasonLine_Parse(const char* line, std::size_t length, TacticResult* season, std::size_t* name_length);
