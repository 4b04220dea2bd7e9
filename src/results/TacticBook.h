// The tactic book: every season read from results files and one summary per
// distinct tactic name, with the tactic's formation from the game's files.
#pragma once

#include "compare/Formation.h"
#include "results/TacticResult.h"
#include "stats/SampleStats.h"
#include "support/DArray.h"

#include <cstdint>
#include <cstdio>

struct TacticNameIndex;   // hash index from name to summary, kept beside summaries
struct TacticFileListing; // the tactic files present while a results file loads
struct RecordBlocks;      // where the book's records live

// The four accumulators live in the summary's own block: they are reset with
// SampleStats_Init, never replaced or destroyed on their own.
struct TacticSummary {
    char* name;                        // the summary's own copy
    SampleStats* goals_for_stats;      // goals scored, one value per season
    SampleStats* goals_against_stats;  // goals conceded
    SampleStats* points_stats;         // points; its count is the number of seasons
    SampleStats* ev_stats;             // expected points per season; empty until Calculate EV
    DArray* results;                   // TacticResult*, in the order absorbed (owned by the book)
    Formation* formation;              // from the tactic file, or null; owned
    int32_t won;                       // totals of the absorbed records, saturating
    int32_t drawn;
    int32_t lost;
    // Set by TacticBook_CalculateEv (stats/TacticEv.h):
    int ev_calculated;                 // 1 once ev_stats and ev_prob hold the calculation
    double ev_prob;                    // chance of the highest true mean EV; NaN with fewer than 2 EV seasons
};

struct TacticBook {
    DArray* results;          // TacticResult*, every record taken in, owned (in record_blocks)
    DArray* summaries;        // TacticSummary*, one per name, owned
    char* tactics_folder;     // game_folder + separator + "tactics"
    char* game_folder;        // the game's install folder
    TacticNameIndex* index;   // name -> summary; holds the names of the records that loading made
    TacticFileListing* tactic_files; // set only while TacticBook_LoadFile runs
    RecordBlocks* record_blocks; // the records: those loaded in blocks, those added one by one
};

// The game's install folder, a new heap string: the registry value "Location"
// of "Software\Brightfold Ltd\Gafferline Gold" (machine, then user), or
// "C:\Program Files\Gafferline Gold".
char* FindGameFolder();

// The character that separates folders in paths on this platform.
char PathSeparator();

TacticBook* TacticBook_Create();
void TacticBook_Destroy(TacticBook* book);

// What TacticBook_LoadFile returns besides 0 (the file was read).
constexpr int kLoadNoFile = -1;    // path is null or the file cannot be opened: the book is unchanged
constexpr int kLoadReadError = -2; // reading failed part-way: the seasons read before it are kept

// Adds the seasons of a results file (path in UTF-8): 0, kLoadNoFile or
// kLoadReadError. A UTF-8 byte-order mark at the start of the file is
// skipped.
int TacticBook_LoadFile(TacticBook* book, const char* path);

// Adds the seasons of a results file open in binary mode, read from its
// current position: 0 or kLoadReadError. The file stays open.
int TacticBook_LoadStream(TacticBook* book, std::FILE* file);

// Takes a heap record (TacticResult_Create, TacticResult_ReadNext) into the
// book (names shorter than 3 characters are destroyed); null or a record
// without a name is ignored.
void TacticBook_Add(TacticBook* book, TacticResult* record);

// Index in summaries of the summary with the record's name, or -1.
int TacticBook_FindSummary(const TacticBook* book, const TacticResult* record);

// Writes the seasons of the given summaries (TacticSummary*), grouped by
// tactic, to path in the writer format. The file is replaced only when all
// was written: 0 on success, -1 on failure, which leaves an existing file as
// it was.
int TacticBook_SaveSummaries(const char* path, const DArray* summaries);

TacticSummary* TacticSummary_Create(const char* name);
void TacticSummary_Destroy(TacticSummary* summary);
// Loads the formation from tactics_folder/<name>.tct (none if missing or short).
void TacticSummary_AttachFormation(TacticSummary* summary, const char* tactics_folder);
// Adds a record of the same name that was not counted yet.
void TacticSummary_Absorb(TacticSummary* summary, TacticResult* record);
// 1 when the names are equal, else 0.
int TacticSummary_SameName(const TacticSummary* a, const TacticSummary* b);
// won, drawn or lost over their sum; 0.0 when the sum is not positive.
double TacticSummary_WonShare(const TacticSummary* summary);
double TacticSummary_DrawnShare(const TacticSummary* summary);
double TacticSummary_LostShare(const TacticSummary* summary);
