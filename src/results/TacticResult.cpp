#include "results/TacticResult.h"

#include "results/Number.h"
#include "support/Memory.h"
#include "support/Str.h"

#include <cstring>

namespace {

constexpr std::size_t kMinLineLength = 11;
constexpr int32_t kDefaultGames = 26;

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

// Parses an accepted line into result; false when the line lacks the name's
// separator, the goals field's '-' or the points.
bool ParseSeason(const char* line, std::size_t length, TacticResult* result)
{
    LineCursor cur{line, line + length};

    cur.ToSeparator();
    if (cur.AtEnd())
        return false;
    std::size_t name_length = static_cast<std::size_t>(cur.pos - line);
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

    char* name = Str_Alloc(name_length);
    std::memcpy(name, line, name_length);
    name[name_length] = '\0';
    Str_Free(result->name);
    result->name = name;

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
    auto* result = static_cast<TacticResult*>(Mem_Alloc(sizeof(TacticResult)));
    result->name = Str_Dup("");
    result->goals_for = 0;
    result->goals_against = 0;
    result->points = 0;
    result->games = kDefaultGames;
    result->won = 0;
    result->drawn = 0;
    result->lost = 0;
    result->counted = 0;
    return result;
}

TacticResult* TacticResult_ReadNext(std::FILE* file)
{
    while (!std::feof(file)) {
        char* line = File_ReadLine(file);
        std::size_t length = std::strlen(line);
        TacticResult* result = nullptr;
        if (IsAcceptedLine(line, length)) {
            result = TacticResult_Create();
            if (!ParseSeason(line, length, result)) {
                TacticResult_Destroy(result);
                result = nullptr;
            }
        }
        Str_Free(line);
        if (result)
            return result;
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
