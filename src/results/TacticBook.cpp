#include "results/TacticBook.h"

#include "results/TacticFiles.h"
#include "results/TacticNameIndex.h"
#include "support/FilePath.h"
#include "support/Memory.h"
#include "support/Str.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr int kBookResultsCapacity = 8192;
constexpr int kBookSummariesCapacity = 256;
constexpr int kSummaryResultsCapacity = 32;
constexpr std::size_t kMinNameLength = 3;

char* JoinPath(const char* folder, const char* name)
{
    const char separator[2] = {PathSeparator(), '\0'};
    char* path = Str_Dup(folder);
    path = Str_Concat(path, separator);
    return Str_Concat(path, name);
}

int32_t SaturatingAdd(int32_t a, int32_t b)
{
    int64_t sum = static_cast<int64_t>(a) + b;
    if (sum > INT32_MAX)
        return INT32_MAX;
    if (sum < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(sum);
}

double Share(const TacticSummary* summary, int32_t part)
{
    // In 64 bits: the three totals may each be near the 32-bit limit.
    int64_t total = static_cast<int64_t>(summary->won) + summary->drawn + summary->lost;
    if (total <= 0)
        return 0.0;
    return static_cast<double>(part) / static_cast<double>(total);
}

TacticSummary* SummaryAt(const TacticBook* book, int position)
{
    return static_cast<TacticSummary*>(book->summaries->elems[position]);
}

void DestroyResult(void* result) { TacticResult_Destroy(static_cast<TacticResult*>(result)); }
void DestroySummary(void* summary) { TacticSummary_Destroy(static_cast<TacticSummary*>(summary)); }

// A file name beside path that does not exist yet, for writing before replacing.
char* TemporaryPathBeside(const char* path)
{
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".saving-%d", attempt);
        char* candidate = Str_Concat(Str_Dup(path), suffix);
        std::FILE* existing = File_Open(candidate, "r");
        if (!existing)
            return candidate;
        std::fclose(existing);
        Str_Free(candidate);
    }
    return nullptr;
}

} // namespace

TacticBook* TacticBook_Create()
{
    auto* book = static_cast<TacticBook*>(Mem_Alloc(sizeof(TacticBook)));
    book->results = DArray_Create(kBookResultsCapacity);
    book->summaries = DArray_Create(kBookSummariesCapacity);
    book->game_folder = FindGameFolder();
    book->tactics_folder = JoinPath(book->game_folder, "tactics");
    book->index = TacticNameIndex_Create();
    book->tactic_files = nullptr;
    return book;
}

void TacticBook_Destroy(TacticBook* book)
{
    if (!book)
        return;
    DArray_Destroy(book->results, DestroyResult);
    DArray_Destroy(book->summaries, DestroySummary);
    TacticNameIndex_Destroy(book->index);
    Str_Free(book->tactics_folder);
    Str_Free(book->game_folder);
    Mem_Free(book);
}

namespace {

// Steps of taking a record in, up to absorbing it: drops records without a
// usable name (null then), appends the record to the book and finds or makes
// its summary. Returns the summary's position in summaries.
int TakeRecord(TacticBook* book, TacticResult* record)
{
    if (!record || !record->name)
        return -1;
    if (std::strlen(record->name) < kMinNameLength) {
        TacticResult_Destroy(record);
        return -1;
    }
    DArray_Append(book->results, record);
    int position = TacticBook_FindSummary(book, record);
    if (position < 0) {
        TacticSummary* summary = TacticSummary_Create(record->name);
        if (TacticFileListing_MayExist(book->tactic_files, summary->name))
            TacticSummary_AttachFormation(summary, book->tactics_folder);
        DArray_Append(book->summaries, summary);
        position = book->summaries->count - 1;
        TacticNameIndex_Insert(book->index, summary->name, summary, position);
    }
    return position;
}

// Absorbs the records taken from one file, tactic by tactic: each summary
// receives its records in file order, exactly as one by one, but with its
// accumulators in the cache while it does.
void AbsorbByTactic(TacticBook* book, const std::vector<TacticResult*>& records, const std::vector<int>& positions)
{
    std::vector<int> starts(static_cast<std::size_t>(book->summaries->count) + 1, 0);
    for (int position : positions)
        ++starts[static_cast<std::size_t>(position) + 1];
    for (std::size_t i = 1; i < starts.size(); ++i)
        starts[i] += starts[i - 1];
    std::vector<TacticResult*> grouped(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        grouped[static_cast<std::size_t>(starts[static_cast<std::size_t>(positions[i])]++)] = records[i];
    std::size_t next = 0;
    for (int position = 0; position < book->summaries->count; ++position) {
        TacticSummary* summary = SummaryAt(book, position);
        for (; next < static_cast<std::size_t>(starts[static_cast<std::size_t>(position)]); ++next)
            TacticSummary_Absorb(summary, grouped[next]);
    }
}

} // namespace

int TacticBook_LoadFile(TacticBook* book, const char* path)
{
    if (!path)
        return -1;
    std::FILE* file = File_Open(path, "r");
    if (!file)
        return -1;
    book->tactic_files = TacticFileListing_Read(book->tactics_folder);
    std::vector<TacticResult*> records;
    std::vector<int> positions;
    while (!std::feof(file)) {
        TacticResult* record = TacticResult_ReadNext(file);
        int position = TakeRecord(book, record);
        if (position >= 0) {
            records.push_back(record);
            positions.push_back(position);
        }
    }
    AbsorbByTactic(book, records, positions);
    TacticFileListing_Destroy(book->tactic_files);
    book->tactic_files = nullptr;
    File_Close(file);
    return 0;
}

void TacticBook_Add(TacticBook* book, TacticResult* record)
{
    int position = TakeRecord(book, record);
    if (position >= 0)
        TacticSummary_Absorb(SummaryAt(book, position), record);
}

int TacticBook_FindSummary(const TacticBook* book, const TacticResult* record)
{
    return TacticNameIndex_Find(book->index, book->summaries, record->name);
}

int TacticBook_SaveSummaries(const char* path, const DArray* summaries)
{
    if (!path || !summaries)
        return -1;
    char* temporary = TemporaryPathBeside(path);
    if (!temporary)
        return -1;
    std::FILE* file = File_Open(temporary, "w");
    if (!file) {
        Str_Free(temporary);
        return -1;
    }
    for (int i = 0; i < summaries->count; ++i) {
        const auto* summary = static_cast<const TacticSummary*>(summaries->elems[i]);
        for (int j = 0; j < summary->results->count; ++j)
            TacticResult_Write(static_cast<const TacticResult*>(summary->results->elems[j]), file);
    }
    bool written = std::fflush(file) == 0 && std::ferror(file) == 0;
    bool closed = File_Close(file) == 0;
    bool replaced = written && closed && File_Replace(temporary, path) == 0;
    if (!replaced)
        File_Remove(temporary);
    Str_Free(temporary);
    return replaced ? 0 : -1;
}

TacticSummary* TacticSummary_Create(const char* name)
{
    auto* summary = static_cast<TacticSummary*>(Mem_Alloc(sizeof(TacticSummary)));
    summary->name = Str_Dup(name);
    summary->goals_for_stats = SampleStats_Create();
    summary->goals_against_stats = SampleStats_Create();
    summary->points_stats = SampleStats_Create();
    summary->ev_stats = SampleStats_Create();
    summary->results = DArray_Create(kSummaryResultsCapacity);
    summary->formation = nullptr;
    summary->won = 0;
    summary->drawn = 0;
    summary->lost = 0;
    summary->ev_calculated = 0;
    summary->ev_prob = std::numeric_limits<double>::quiet_NaN();
    return summary;
}

void TacticSummary_Destroy(TacticSummary* summary)
{
    if (!summary)
        return;
    Str_Free(summary->name);
    SampleStats_Destroy(summary->goals_for_stats);
    SampleStats_Destroy(summary->goals_against_stats);
    SampleStats_Destroy(summary->points_stats);
    SampleStats_Destroy(summary->ev_stats);
    DArray_Destroy(summary->results, nullptr);
    Formation_Destroy(summary->formation);
    Mem_Free(summary);
}

void TacticSummary_AttachFormation(TacticSummary* summary, const char* tactics_folder)
{
    Formation_Destroy(summary->formation);
    summary->formation = nullptr;
    if (!TacticFile_IsPlainName(summary->name))
        return;
    char* file_name = Str_Concat(Str_Dup(summary->name), ".tct");
    char* path = JoinPath(tactics_folder, file_name);
    summary->formation = Formation_Load(path);
    Str_Free(path);
    Str_Free(file_name);
}

void TacticSummary_Absorb(TacticSummary* summary, TacticResult* record)
{
    if (record->counted != 0 || !Str_Equal(record->name, summary->name))
        return;
    SampleStats_Add(summary->goals_for_stats, static_cast<double>(record->goals_for));
    SampleStats_Add(summary->goals_against_stats, static_cast<double>(record->goals_against));
    SampleStats_Add(summary->points_stats, static_cast<double>(record->points));
    summary->won = SaturatingAdd(summary->won, record->won);
    summary->drawn = SaturatingAdd(summary->drawn, record->drawn);
    summary->lost = SaturatingAdd(summary->lost, record->lost);
    DArray_Append(summary->results, record);
    record->counted = 1;
}

int TacticSummary_SameName(const TacticSummary* a, const TacticSummary* b)
{
    return Str_Equal(a->name, b->name);
}

double TacticSummary_WonShare(const TacticSummary* summary)
{
    return Share(summary, summary->won);
}

double TacticSummary_DrawnShare(const TacticSummary* summary)
{
    return Share(summary, summary->drawn);
}

double TacticSummary_LostShare(const TacticSummary* summary)
{
    return Share(summary, summary->lost);
}
