#include "results/TacticResult.h"

#include "results/Number.h"
#include "support/Memory.h"
#include "support/Str.h"

#include <cstring>

namespace {

constexpr std::size_t kMinLineLength = 11;
constexpr std::size_t kLineCapacity = 128;
constexpr int32_t kDefaultGames = 26;

// The values of a new record.
constexpr TacticResult kBlankSeason = {nullptr, 0, 0, 0, kDefaultGames, 0, 0, 0, 0};

// A heap record holding these values (and taking over their name).
TacticResult* NewResult(const TacticResult& values)
{
    auto* result = static_cast<TacticResult*>(Mem_Alloc(sizeof(TacticResult)));
    *result = values;
    return result;
}

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

// A cursor over one line's text [pos, end). Every scan stops at the end.
struct LineCursor {
    const char* pos;
    const char* end;

    bool AtEnd() const { return pos >= end; }
    void SkipSeparators()
    {
        while (pos < end && IsSeparator(*pos))
            ++pos;
    }
    void ToSeparator()
    {
        while (pos < end && !IsSeparator(*pos))
            ++pos;
    }
    // The end of the field at the cursor: the next separator or the end.
    const char* FieldEnd() const
    {
        const char* p = pos;
        while (p < end && !IsSeparator(*p))
            ++p;
        return p;
    }
};

// The first '-' in [from, to), or null.
const char* FindDash(const char* from, const char* to)
{
    for (const char* p = from; p < to; ++p) {
        if (*p == '-')
            return p;
    }
    return nullptr;
}

// Reads "a-b" pairs: the number at from, then the number behind the first
// '-' that follows that number within the field. The search starts behind
// the number rather than at the field's start so that a negative first
// number's sign is not taken for the joining '-'.
const char* DashAfterNumber(const char* from, const char* field_end, int32_t* value)
{
    const char* number_end = from;
    *value = Number_ParseInt32(from, &number_end);
    return FindDash(number_end, field_end);
}

bool IsAcceptedLine(const char* line, std::size_t length)
{
    if (length < kMinLineLength)
        return false;
    char first = line[0];
    return first != ';' && first != '#' && !IsSeparator(first);
}

// Parses an accepted line into the numbers of result and the length of the
// name at the line's start; false when the line lacks the name's separator,
// the goals field's '-' or the points.
bool ParseSeason(const char* line, std::size_t length, TacticResult* result, std::size_t* name_length)
{
    LineCursor cur{line, line + length};

    cur.ToSeparator();
    if (cur.AtEnd())
        return false;
    *name_length = static_cast<std::size_t>(cur.pos - line);
    ++cur.pos;

    cur.SkipSeparators();
    const char* dash = DashAfterNumber(cur.pos, cur.FieldEnd(), &result->goals_for);
    if (!dash)
        return false;
    cur.pos = dash + 1;
    result->goals_against = Number_ParseInt32(cur.pos, nullptr);

    cur.ToSeparator();
    cur.SkipSeparators();
    if (cur.AtEnd())
        return false;
    result->points = Number_ParseInt32(cur.pos, nullptr);

    // Everything from here on is optional and keeps its default when absent.
    cur.ToSeparator();
    cur.SkipSeparators();
    if (cur.AtEnd())
        return true;
    result->games = Number_ParseInt32(cur.pos, nullptr);

    cur.ToSeparator();
    cur.SkipSeparators();
    if (cur.AtEnd())
        return true;
    const char* won_end = cur.FieldEnd();
    dash = DashAfterNumber(cur.pos, won_end, &result->won);
    if (!dash)
        return true;
    dash = DashAfterNumber(dash + 1, won_end, &result->drawn);
    if (!dash)
        return true;
    result->lost = Number_ParseInt32(dash + 1, nullptr);
    return true;
}

} // namespace

TacticResult* TacticResult_Create()
{
    TacticResult blank = kBlankSeason;
    blank.name = Str_Dup("");
    return NewResult(blank);
}

TacticResult* TacticResult_ReadNext(std::FILE* file)
{
    // One line buffer for all calls (the program reads on one thread):
    // reading a results file allocates only for the records it makes.
    static char* line = Str_Alloc(kLineCapacity);
    static std::size_t capacity = kLineCapacity;
    while (!std::feof(file)) {
        std::size_t length = File_ReadLineInto(file, &line, &capacity);
        // The line's text ends at a NUL byte, as for every C string.
        if (const void* nul = std::memchr(line, '\0', length))
            length = static_cast<std::size_t>(static_cast<const char*>(nul) - line);
        if (!IsAcceptedLine(line, length))
            continue;
        TacticResult season = kBlankSeason;
        std::size_t name_length = 0;
        if (ParseSeason(line, length, &season, &name_length)) {
            season.name = Str_Alloc(name_length);
            std::memcpy(season.name, line, name_length);
            season.name[name_length] = '\0';
            return NewResult(season);
        }
    }
    return nullptr;
}

void TacticResult_Write(const TacticResult* result, std::FILE* file)
{
    std::fprintf(file, "%-25s %2i-%-2i %2i %i %i-%i-%i\n", result->name,
                 static_cast<int>(result->goals_for), static_cast<int>(result->goals_against),
                 static_cast<int>(result->points), static_cast<int>(result->games),
                 static_cast<int>(result->won), static_cast<int>(result->drawn),
                 static_cast<int>(result->lost));
}

void TacticResult_Destroy(TacticResult* result)
{
    if (!result)
        return;
    Str_Free(result->name);
    Mem_Free(result);
}
