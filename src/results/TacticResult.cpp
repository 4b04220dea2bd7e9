#include "results/TacticResult.h"

#include "results/SeasonLine.h"
#include "support/Memory.h"
#include "support/Str.h"

#include <cstring>

namespace {

constexpr std::size_t kLineCapacity = 128;

// A heap record holding these values (and taking over their name).
TacticResult* NewResult(const TacticResult& values)
{
    auto* result = static_cast<TacticResult*>(Mem_Alloc(sizeof(TacticResult)));
    *result = values;
    return result;
}

} // namespace

TacticResult* TacticResult_Create()
{
    TacticResult blank = kNewSeason;
    blank.name = Str_Dup("");
    return NewResult(blank);
}

TacticResult* TacticResult_ReadNext(std::FILE* file)
{
    // One line buffer for all calls (the program reads on one thread):
    // reading a results file allocates only for the records it makes.
    static char* line = Str_Alloc(kLineCapacity);
    static std::size_t capacity = kLineCapacity;
    while (!std::feof(file) && !std::ferror(file)) {
        std::size_t length = File_ReadLineInto(file, &line, &capacity);
        // A read error may have cut the line short: reading ends there.
        if (std::ferror(file))
            return nullptr;
        // The line's text ends at a NUL byte, as for every C string.
        if (const void* nul = std::memchr(line, '\0', length))
            length = static_cast<std::size_t>(static_cast<const char*>(nul) - line);
        TacticResult season = kNewSeason;
        std::size_t name_length = 0;
        if (SeasonLine_Parse(line, length, &season, &name_length)) {
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
