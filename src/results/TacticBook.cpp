#include "results/TacticBook.h"

#include "results/RecordBlocks.h"
#include "results/ResultsLines.h"
#include "results/SeasonLine.h"
#include "results/TacticFiles.h"
#include "results/TacticNameIndex.h"
#include "support/FilePath.h"
#include "support/Memory.h"
#include "support/Str.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kBookResultsCapacity = 8192;
constexpr int kBookSummariesCapacity = 256;
constexpr int kSummaryResultsCapacity = 32;
constexpr std::size_t kMinNameLength = 3;
// The records of this many tactics (by name id) stand on one shelf of the
// record blocks: their summaries fit in the cache together.
constexpr uint32_t kNamesPerShelf = 512;

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
    book->record_blocks = RecordBlocks_Create();
    return book;
}

void TacticBook_Destroy(TacticBook* book)
{
    if (!book)
        return;
    DArray_Destroy(book->results, nullptr);
    RecordBlocks_Destroy(book->record_blocks);
    DArray_Destroy(book->summaries, DestroySummary);
    TacticNameIndex_Destroy(book->index);
    Str_Free(book->tactics_folder);
    Str_Free(book->game_folder);
    Mem_Free(book);
}

namespace {

// A summary with its four accumulators in one block (a book may hold a
// hundred thousand summaries).
struct SummaryBlock {
    TacticSummary summary;
    SampleStats stats[4];
};

TacticSummary* NewSummary(const char* name, int results_capacity)
{
    auto* block = static_cast<SummaryBlock*>(Mem_Alloc(sizeof(SummaryBlock)));
    for (SampleStats& stats : block->stats)
        SampleStats_Init(&stats);
    TacticSummary* summary = &block->summary;
    summary->name = Str_Dup(name);
    summary->goals_for_stats = &block->stats[0];
    summary->goals_against_stats = &block->stats[1];
    summary->points_stats = &block->stats[2];
    summary->ev_stats = &block->stats[3];
    summary->results = DArray_Create(results_capacity);
    summary->formation = nullptr;
    summary->won = 0;
    summary->drawn = 0;
    summary->lost = 0;
    summary->ev_calculated = 0;
    summary->ev_prob = std::numeric_limits<double>::quiet_NaN();
    return summary;
}

// Makes the summary of a name that has none yet, with its formation, at the
// end of summaries.
TacticSummary* AddSummary(TacticBook* book, TacticName* name, int results_capacity)
{
    TacticSummary* summary = NewSummary(TacticName_Text(name), results_capacity);
    if (TacticFileListing_MayExist(book->tactic_files, summary->name))
        TacticSummary_AttachFormation(summary, book->tactics_folder);
    DArray_Append(book->summaries, summary);
    name->summary = summary;
    name->position = book->summaries->count - 1;
    return summary;
}

// Adds the record's season to the summary's accumulators and totals.
void AddSeason(TacticSummary* summary, TacticResult* record)
{
    SampleStats_Add(summary->goals_for_stats, static_cast<double>(record->goals_for));
    SampleStats_Add(summary->goals_against_stats, static_cast<double>(record->goals_against));
    SampleStats_Add(summary->points_stats, static_cast<double>(record->points));
    summary->won = SaturatingAdd(summary->won, record->won);
    summary->drawn = SaturatingAdd(summary->drawn, record->drawn);
    summary->lost = SaturatingAdd(summary->lost, record->lost);
    record->counted = 1;
}

// Seasons read but not yet made records, so that their names are looked up
// together (TacticNameIndex_InternAll). Each holds a copy of its name: the
// line it was read from does not stay.
class PendingSeasons {
public:
    static constexpr std::size_t kNameRoom = 64;

    explicit PendingSeasons(TacticBook* book) : book_(book) {}

    void Add(const TacticResult& values, const char* name, std::size_t length)
    {
        if (length > kNameRoom) {
            // A long name is looked up at once, after the seasons before it.
            Flush();
            TacticNameText text{name, length};
            TacticName* entry = nullptr;
            TacticNameIndex_InternAll(book_->index, &text, 1, &entry);
            MakeRecord(values, entry);
            return;
        }
        Season& season = pending_[count_++];
        season.values = values;
        std::memcpy(season.name, name, length);
        texts_[count_ - 1] = TacticNameText{season.name, length};
        if (count_ == kCount)
            Flush();
    }

    // Makes records of every pending season, in the order read.
    void Flush()
    {
        TacticNameIndex_InternAll(book_->index, texts_, count_, names_);
        for (std::size_t i = 0; i < count_; ++i)
            MakeRecord(pending_[i].values, names_[i]);
        count_ = 0;
    }

private:
    static constexpr std::size_t kCount = 64;
    struct Season {
        TacticResult values;
        char name[kNameRoom];
    };

    void MakeRecord(TacticResult values, TacticName* name)
    {
        values.name = const_cast<char*>(TacticName_Text(name));
        DArray_Append(book_->results, RecordBlocks_New(book_->record_blocks, name->id / kNamesPerShelf, values));
        ++name->seasons;
    }

    TacticBook* book_;
    Season pending_[kCount];
    TacticNameText texts_[kCount];
    TacticName* names_[kCount];
    std::size_t count_ = 0;
};

// Reads the seasons of a file into records in the book's blocks, appended to
// the book's results and named with the book's copies of their names, and
// counts them in their names. False when a read error ended reading.
bool ReadSeasons(TacticBook* book, std::FILE* file)
{
    ResultsLines lines(file);
    PendingSeasons pending(book);
    char* line = nullptr;
    std::size_t length = 0;
    while (lines.Next(&line, &length)) {
        TacticResult season = kNewSeason;
        std::size_t name_length = 0;
        if (SeasonLine_Parse(line, length, &season, &name_length) && name_length >= kMinNameLength)
            pending.Add(season, line, name_length);
    }
    pending.Flush();
    return !lines.Failed();
}

// Gives every tactic its records of this load (those on the record blocks'
// shelves from marks on), in file order, making summaries for new names in
// order of first appearance, and absorbs them. The shelves are taken one after
// the other: the tactics of a shelf stay in the cache while they take its
// records.
void JoinSummaries(TacticBook* book, const std::vector<std::size_t>& marks)
{
    book->tactic_files = TacticFileListing_Read(book->tactics_folder);
    uint32_t names = TacticNameIndex_Count(book->index);
    std::vector<void**> next(names, nullptr); // by name id: where its next record goes
    for (uint32_t id = 0; id < names; ++id) {
        TacticName* name = TacticNameIndex_At(book->index, id);
        int seasons = static_cast<int>(std::exchange(name->seasons, 0));
        if (seasons == 0)
            continue;
        auto* summary = static_cast<TacticSummary*>(name->summary);
        if (!summary)
            summary = AddSummary(book, name, seasons);
        DArray* results = summary->results;
        DArray_Reserve(results, results->count + seasons);
        next[id] = results->elems + results->count;
        results->count += seasons; // the slots are filled below
    }
    TacticFileListing_Destroy(book->tactic_files);
    book->tactic_files = nullptr;
    for (std::size_t shelf = 0; shelf < RecordBlocks_Shelves(book->record_blocks); ++shelf) {
        std::size_t position = shelf < marks.size() ? marks[shelf] : 0;
        while (position < RecordBlocks_OnShelf(book->record_blocks, shelf)) {
            std::size_t count = 0;
            TacticResult* run = RecordBlocks_Run(book->record_blocks, shelf, position, &count);
            for (TacticResult* record = run; record < run + count; ++record) {
                TacticName* name = TacticName_OfText(record->name);
                *next[name->id]++ = record;
                AddSeason(static_cast<TacticSummary*>(name->summary), record);
            }
            position += count;
        }
    }
}

} // namespace

int TacticBook_LoadFile(TacticBook* book, const char* path)
{
    if (!path)
        return kLoadNoFile;
    // Binary: the reader itself treats line ends as a text stream does.
    std::FILE* file = File_Open(path, "rb");
    if (!file)
        return kLoadNoFile;
    int result = TacticBook_LoadStream(book, file);
    File_Close(file);
    return result;
}

int TacticBook_LoadStream(TacticBook* book, std::FILE* file)
{
    std::vector<std::size_t> marks(RecordBlocks_Shelves(book->record_blocks));
    for (std::size_t shelf = 0; shelf < marks.size(); ++shelf)
        marks[shelf] = RecordBlocks_OnShelf(book->record_blocks, shelf);
    bool read = ReadSeasons(book, file);
    JoinSummaries(book, marks);
    return read ? 0 : kLoadReadError;
}

void TacticBook_Add(TacticBook* book, TacticResult* record)
{
    if (!record || !record->name)
        return;
    std::size_t length = std::strlen(record->name);
    if (length < kMinNameLength) {
        TacticResult_Destroy(record);
        return;
    }
    RecordBlocks_Adopt(book->record_blocks, record);
    DArray_Append(book->results, record);
    TacticName* name = TacticNameIndex_Intern(book->index, record->name, length);
    auto* summary = static_cast<TacticSummary*>(name->summary);
    if (!summary)
        summary = AddSummary(book, name, kSummaryResultsCapacity);
    TacticSummary_Absorb(summary, record);
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
    return NewSummary(name, kSummaryResultsCapacity);
}

void TacticSummary_Destroy(TacticSummary* summary)
{
    if (!summary)
        return;
    Str_Free(summary->name);
    DArray_Destroy(summary->results, nullptr);
    Formation_Destroy(summary->formation);
    Mem_Free(summary); // with its accumulators
}

void TacticSummary_AttachFormation(TacticSummary* summary, const char* tactics_folder)
{
    Formation_Destroy(summary->formation);
    summary->formation = nullptr;
    if (!TacticFile_IsPlainName(summary->name))
        return;
    // The folder is UTF-8; a name from an older results file may not be.
    std::string file_name = File_NameAsUtf8(summary->name) + ".tct";
    char* path = JoinPath(tactics_folder, file_name.c_str());
    summary->formation = Formation_Load(path);
    Str_Free(path);
}

void TacticSummary_Absorb(TacticSummary* summary, TacticResult* record)
{
    if (record->counted != 0 || !Str_Equal(record->name, summary->name))
        return;
    AddSeason(summary, record);
    DArray_Append(summary->results, record);
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
