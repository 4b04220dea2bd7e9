// Hash index from tactic name to the book's summary of that name and its
// position in the book's summaries. It holds each name once: the records
// that loading makes point to these copies, which live as long as the index.
//
// No input can slow it down: the hash is keyed (SipHash-1-3) with a key
// drawn at random for each index, and no name sits more than a few dozen
// slots from where its hash puts it (the index takes a new key, and more
// room if it must, before that happens), so a lookup never scans the table.
#pragma once

#include "support/DArray.h"

#include <cstddef>
#include <cstdint>

struct TacticNameIndex;

// One distinct name of an index. Its NUL-terminated text follows it in
// memory (TacticName_Text).
struct TacticName {
    void* summary;    // the owner's summary of this name; null until the owner sets it
    int32_t position; // where the summary was last seen in the owner's summaries, or -1
    uint32_t id;      // 0, 1, 2, ... in the order the names came in
    uint32_t length;  // bytes of the text
    uint32_t seasons; // the owner's count: the book's loader counts a file's seasons here
};

TacticNameIndex* TacticNameIndex_Create();
// An index that starts with the given key (for tests).
TacticNameIndex* TacticNameIndex_CreateWithKey(uint64_t k0, uint64_t k1);
void TacticNameIndex_Destroy(TacticNameIndex* index);

// The entry of the name text[0, length), which holds no NUL byte; a new name
// is copied in, with summary null and position -1.
TacticName* TacticNameIndex_Intern(TacticNameIndex* index, const char* text, std::size_t length);

struct TacticNameText {
    const char* text;
    std::size_t length;
};

// Interns names[0, count) in order, as TacticNameIndex_Intern one by one
// does, into entries[0, count); faster for many names in a large index.
void TacticNameIndex_InternAll(TacticNameIndex* index, const TacticNameText* names, std::size_t count,
                               TacticName** entries);

// The number of names, and the name with the given id.
uint32_t TacticNameIndex_Count(const TacticNameIndex* index);
TacticName* TacticNameIndex_At(const TacticNameIndex* index, uint32_t id);

// The entry's text, NUL-terminated.
const char* TacticName_Text(const TacticName* name);

// The entry of a text that TacticName_Text returned (and of no other text).
TacticName* TacticName_OfText(const char* text);

// The position in summaries (TacticSummary*) of the summary named name, or
// -1. Positions that are out of date (the array was re-ordered) are found
// again.
int TacticNameIndex_Find(TacticNameIndex* index, const DArray* summaries, const char* name);

// The index's keyed hash of text[0, length).
uint64_t TacticNameIndex_Hash(const TacticNameIndex* index, const char* text, std::size_t length);
