// Fuzz target: reading results files from arbitrary bytes.
//
// Every record read must be a well-formed season (a name without blanks or
// tabs that is not a comment), and writing it and reading the line back must
// give the same eight values.
#include "ByteFile.h"
#include "results/TacticResult.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "results fuzz: %s\n", what);
        std::abort();
    }
}

bool SameValues(const TacticResult* a, const TacticResult* b)
{
    return std::strcmp(a->name, b->name) == 0 && a->goals_for == b->goals_for &&
           a->goals_against == b->goals_against && a->points == b->points && a->games == b->games &&
           a->won == b->won && a->drawn == b->drawn && a->lost == b->lost;
}

void CheckRoundTrip(const TacticResult* record)
{
    std::FILE* scratch = std::tmpfile();
    Check(scratch != nullptr, "no scratch file");
    TacticResult_Write(record, scratch);
    std::rewind(scratch);
    TacticResult* again = TacticResult_ReadNext(scratch);
    Check(again != nullptr, "a written record does not read back");
    Check(SameValues(record, again), "a written record reads back different values");
    Check(TacticResult_ReadNext(scratch) == nullptr, "a written record reads back as two");
    TacticResult_Destroy(again);
    std::fclose(scratch);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ByteFile input(data, size);
    int records = 0;
    while (TacticResult* record = TacticResult_ReadNext(input.get())) {
        std::size_t length = std::strlen(record->name);
        Check(length > 0, "empty name");
        Check(std::strpbrk(record->name, " \t") == nullptr, "name with a separator");
        Check(record->name[0] != ';' && record->name[0] != '#', "comment read as a season");
        Check(record->counted == 0, "record counted before absorbing");
        CheckRoundTrip(record);
        TacticResult_Destroy(record);
        Check(++records <= static_cast<int>(size), "more records than bytes");
    }
    Check(std::feof(input.get()) != 0, "reading stopped before the end of the file");
    return 0;
}
