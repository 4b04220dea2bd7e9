// Building books and records for tests.
#pragma once

#include "results/TacticBook.h"
#include "support/Str.h"

#include <memory>
#include <string>
#include <vector>

inline TacticResult* MakeRecord(const std::string& name, int goals_for, int goals_against, int points,
                                int won = 0, int drawn = 0, int lost = 0, int games = 38)
{
    TacticResult* r = TacticResult_Create();
    Str_Free(r->name);
    *r = {Str_Dup(name.c_str()), goals_for, goals_against, points, games, won, drawn, lost, 0};
    return r;
}

// A book that looks for tactic files in the given folder (or in the default one).
struct TestBook : std::unique_ptr<TacticBook, void (*)(TacticBook*)> {
    explicit TestBook(const std::string& tactics_folder = "") : unique_ptr(TacticBook_Create(), TacticBook_Destroy)
    {
        if (!tactics_folder.empty()) {
            Str_Free(get()->tactics_folder);
            get()->tactics_folder = Str_Dup(tactics_folder.c_str());
        }
    }
    TacticSummary* Summary(int i) const { return static_cast<TacticSummary*>(get()->summaries->elems[i]); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < get()->summaries->count; ++i)
            names.emplace_back(Summary(i)->name);
        return names;
    }
    // Adds one season with the given points (and goals).
    void Season(const std::string& name, int points, int goals_for = 50, int goals_against = 40)
    {
        TacticBook_Add(get(), MakeRecord(name, goals_for, goals_against, points));
    }
};
