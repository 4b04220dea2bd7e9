// Building books and records for tests.
#pragma once

#include "results/TacticBook.h"
#include "support/Str.h"

#include <string>
#include <vector>

inline TacticResult* MakeRecord(const std::string& name, int goals_for, int goals_against, int points,
                                int won = 0, int drawn = 0, int lost = 0, int games = 38)
{
    TacticResult* r = TacticResult_Create();
    Str_Free(r->name);
    r->name = Str_Dup(name.c_str());
    r->goals_for = goals_for;
    r->goals_against = goals_against;
    r->points = points;
    r->games = games;
    r->won = won;
    r->drawn = drawn;
    r->lost = lost;
    return r;
}

// A book that looks for tactic files in the given folder (or in none).
class TestBook {
public:
    explicit TestBook(const std::string& tactics_folder = "")
    {
        book_ = TacticBook_Create();
        if (!tactics_folder.empty()) {
            Str_Free(book_->tactics_folder);
            book_->tactics_folder = Str_Dup(tactics_folder.c_str());
        }
    }
    ~TestBook() { TacticBook_Destroy(book_); }
    TestBook(const TestBook&) = delete;
    TestBook& operator=(const TestBook&) = delete;

    TacticBook* get() const { return book_; }
    TacticBook* operator->() const { return book_; }

    TacticSummary* Summary(int i) const { return static_cast<TacticSummary*>(book_->summaries->elems[i]); }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < book_->summaries->count; ++i)
            names.emplace_back(Summary(i)->name);
        return names;
    }

    // Adds one season with the given points (and goals).
    void Season(const std::string& name, int points, int goals_for = 50, int goals_against = 40)
    {
        TacticBook_Add(book_, MakeRecord(name, goals_for, goals_against, points));
    }

private:
    TacticBook* book_;
};
