#include "results/TacticBook.h"
#include "results/TacticOrder.h"

#include "common/BookFixture.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

// Seasons join their tactic by exact name (3 characters at least), each load adds; a save
// writes the chosen tactics' seasons, replacing a file only when all was written.
TEST(TacticBook, LoadsAndSavesSeasonsByTactic)
{
    TempDir dir;
    TestBook book;
    EXPECT_EQ(TacticBook_LoadFile(book.get(), dir.File("missing.txt").c_str()), kLoadNoFile);
    EXPECT_EQ(TacticBook_LoadFile(book.get(), nullptr), kLoadNoFile);
    std::string path = dir.Write("r.txt", "Alpha 71-35 70 38 20-10-8\nBeta  50-50 52 38 14-10-14\nAlpha 60-40 61 38 "
                                          "17-10-11\nAb 1-2 30 38 1-1-1\nAbc 13-4 40\nalpha 3-4 40\n");
    for (int n = 1; n <= 2; ++n) {
        ASSERT_EQ(TacticBook_LoadFile(book.get(), path.c_str()), 0);
        ASSERT_EQ(book.Names(), (std::vector<std::string>{"Alpha", "Beta", "Abc", "alpha"}));
        const TacticSummary* a = book.Summary(0);
        EXPECT_EQ(std::vector<double>({a->goals_for_stats->mean, a->goals_against_stats->mean, a->points_stats->mean}),
                  std::vector<double>({65.5, 37.5, 65.5}));
        EXPECT_EQ(std::vector<int>({book->results->count, a->results->count, a->goals_for_stats->count,
                                    a->goals_against_stats->count, a->points_stats->count, a->ev_stats->count, a->won,
                                    a->drawn, a->lost}),
                  std::vector<int>({5 * n, 2 * n, 2 * n, 2 * n, 2 * n, 0, 37 * n, 20 * n, 19 * n}));
    }
    for (int i = 0; i < book->results->count; ++i)
        EXPECT_EQ(static_cast<TacticResult*>(book->results->elems[i])->counted, 1) << "record " << i;
    DArray* chosen = DArray_Append(DArray_Append(DArray_Create(0), book.Summary(2)), book.Summary(0));
    fs::create_directory(dir.Path() / "folder");
    EXPECT_EQ(TacticBook_SaveSummaries(dir.File("folder").c_str(), chosen), -1) << "a folder is not replaced";
    EXPECT_EQ(TacticBook_SaveSummaries(nullptr, chosen), -1);
    EXPECT_EQ(TacticBook_SaveSummaries(dir.File("missing/saved.txt").c_str(), chosen), -1) << "no such folder";
    std::string saved = dir.Write("saved.txt", "old content\n");
    std::string beside = dir.Write("saved.txt.saving-0", "not ours\n"); // the first temporary name is taken
    const long open_files = OpenFileCount();
    ASSERT_EQ(TacticBook_SaveSummaries(saved.c_str(), chosen), 0);
    EXPECT_EQ(OpenFileCount(), open_files) << "the save closes what it opened";
    TextFile file(saved);
    char text[400];
    const std::string alpha = "Alpha                     71-35 70 38 20-10-8\nAlpha                     60-40 61 38 17-10-11\n";
    EXPECT_EQ(std::string(text, std::fread(text, 1, sizeof text, file.get())),
              "Abc                       13-4  40 26 0-0-0\nAbc                       13-4  40 26 0-0-0\n" + alpha + alpha);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 4) << "r.txt, saved.txt, beside and the folder";
    EXPECT_EQ(fs::file_size(beside), 9u) << "a file that only looks temporary is left alone";
    DArray_Destroy(chosen, nullptr);
}

// A record's summary is found by name wherever the sorts have put it.
TEST(TacticBook, FindsTheSummaryOfARecordAfterSorts)
{
    TestBook book;
    for (const char* name : {"Alpha", "Beta", "Gamma", "Alpha"})
        book.Season(name, 50);
    TacticResult* stranger = MakeRecord("Delta", 1, 2, 3);
    for (int code : {1, -1}) {
        TacticBook_Sort(book.get(), code);
        for (int i = 0; i < book->results->count; ++i) {
            const auto* record = static_cast<const TacticResult*>(book->results->elems[i]);
            const int found = TacticBook_FindSummary(book.get(), record);
            EXPECT_TRUE(found >= 0 && found < 3 && std::string(book.Summary(found)->name) == record->name)
                << record->name << ", order " << code << ": got " << found;
        }
        EXPECT_EQ(TacticBook_FindSummary(book.get(), stranger), -1) << "a name not in the book";
    }
    TacticResult_Destroy(stranger);
}

TEST(TacticBook, SaturatingTotalsAndShares)
{
    TestBook book;
    const int32_t won[] = {0, 20, INT32_MAX, INT32_MIN}, drawn[] = {0, 10, INT32_MAX, 0}, lost[] = {0, 8, INT32_MAX, 0};
    for (int i = 0; i < 12; ++i)
        TacticBook_Add(book.get(), MakeRecord("Tactic" + std::to_string(i % 4), 1, 2, 3, won[i % 4], drawn[i % 4], lost[i % 4]));
    const std::vector<double> shares[] = {{0, 0, 0}, {20.0 / 38, 10.0 / 38, 8.0 / 38}, {1.0 / 3, 1.0 / 3, 1.0 / 3}, {0, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        const TacticSummary* s = book.Summary(i);
        EXPECT_EQ(std::vector<double>({TacticSummary_WonShare(s), TacticSummary_DrawnShare(s), TacticSummary_LostShare(s)}),
                  shares[i]) << s->name << ": none for a sum that is not positive";
    }
    EXPECT_EQ(std::vector<int>({book.Summary(1)->drawn, book.Summary(2)->lost, book.Summary(3)->won}),
              std::vector<int>({30, INT32_MAX, INT32_MIN})) << "saturating totals";
}

// Only a whole name.tct in the tactics folder, also when tried on disk outside a load.
TEST(TacticBook, AttachesFormationsByName)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "tactics");
    for (const char* file : {"tactics/Alpha.tct", "tactics/Delta.txt", "Outside.tct"})
        dir.Write(file, std::string(1476, 'A'));
    dir.Write("tactics/Beta.tct", std::string(1475, 'B'));
    TestBook book(dir.File("tactics"));
    const long open_files = OpenFileCount();
    TacticBook_LoadFile(book.get(), dir.Write("r.txt", "Alpha 1-2 30\nBeta 1-2 30\nGamma 1-2 30\nDelta 1-2 30\n../Outside 1-2 30\n").c_str());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(book.Summary(i)->formation != nullptr, i == 0) << book.Summary(i)->name;
    EXPECT_EQ(OpenFileCount(), open_files) << "the results and tactic files are closed again";
    for (auto [name, found] : {std::pair{"Alpha", true}, {"../Outside", false}}) {
        TacticSummary* s = TacticSummary_Create(name);
        TacticSummary_AttachFormation(s, dir.File("tactics").c_str());
        TacticSummary_AttachFormation(s, dir.File("tactics").c_str()); // again: the first one is released
        EXPECT_EQ(s->formation != nullptr, found) << name << " outside a load";
        TacticSummary_Destroy(s);
    }
}
