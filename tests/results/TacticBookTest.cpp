#include "results/TacticBook.h"

#include "common/BookFixture.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace {

const char kThreeSeasons[] = "Alpha 71-35 70 38 20-10-8\n"
                             "Beta  50-50 52 38 14-10-14\n"
                             "Alpha 60-40 61 38 17-10-11\n";

std::string FormationBytes(uint8_t fill)
{
    return std::string(1476, static_cast<char>(fill));
}

} // namespace

TEST(TacticBook, GroupsSeasonsInOrderOfFirstAppearance)
{
    TempDir dir;
    TestBook book;
    ASSERT_EQ(TacticBook_LoadFile(book.get(), dir.Write("r.txt", kThreeSeasons).c_str()), 0);
    EXPECT_EQ(book->results->count, 3);
    EXPECT_EQ(book.Names(), (std::vector<std::string>{"Alpha", "Beta"}));
    TacticSummary* alpha = book.Summary(0);
    EXPECT_EQ(alpha->points_stats->count, 2);
    EXPECT_EQ(alpha->goals_for_stats->count, 2);
    EXPECT_EQ(alpha->goals_against_stats->count, 2);
    EXPECT_EQ(alpha->results->count, 2);
    EXPECT_DOUBLE_EQ(alpha->points_stats->mean, 65.5);
    EXPECT_EQ(alpha->won, 37);
    EXPECT_EQ(alpha->drawn, 20);
    EXPECT_EQ(alpha->lost, 19);
    EXPECT_EQ(alpha->ev_stats->count, 0) << "nothing feeds the EV accumulator";
    EXPECT_EQ(alpha->ev_stats->mean, 0.0);
    for (int i = 0; i < book->results->count; ++i)
        EXPECT_EQ(static_cast<TacticResult*>(book->results->elems[i])->counted, 1) << "record " << i;
}

TEST(TacticBook, LoadingTwiceDoublesEveryCount)
{
    TempDir dir;
    std::string path = dir.Write("r.txt", kThreeSeasons);
    TestBook book;
    TacticBook_LoadFile(book.get(), path.c_str());
    TacticBook_LoadFile(book.get(), path.c_str());
    EXPECT_EQ(book->results->count, 6);
    EXPECT_EQ(book->summaries->count, 2);
    EXPECT_EQ(book.Summary(0)->points_stats->count, 4);
    EXPECT_EQ(book.Summary(1)->points_stats->count, 2);
}

TEST(TacticBook, MissingFileLeavesTheBookUnchanged)
{
    TempDir dir;
    TestBook book;
    book.Season("Alpha", 60);
    EXPECT_EQ(TacticBook_LoadFile(book.get(), dir.File("missing.txt").c_str()), -1);
    EXPECT_EQ(TacticBook_LoadFile(book.get(), nullptr), -1);
    EXPECT_EQ(book->results->count, 1);
    EXPECT_EQ(book->summaries->count, 1);
}

TEST(TacticBook, ShortNamesAreDroppedAndCaseCounts)
{
    TempDir dir;
    TestBook book;
    TacticBook_LoadFile(book.get(),
                        dir.Write("r.txt", "Ab 71-35 70 38 20-10-8\nAlpha 1-2 30\nalpha 3-4 40\nAbc 5-6 50 38\n")
                            .c_str());
    EXPECT_EQ(book->results->count, 3) << "the two-character name is not counted";
    EXPECT_EQ(book.Names(), (std::vector<std::string>{"Alpha", "alpha", "Abc"}));
    TacticBook_Add(book.get(), nullptr);
    EXPECT_EQ(book->results->count, 3);
}

TEST(TacticBook, AbsorbIgnoresCountedAndForeignRecords)
{
    TestBook book;
    book.Season("Alpha", 60);
    TacticSummary* alpha = book.Summary(0);
    TacticResult* counted = static_cast<TacticResult*>(book->results->elems[0]);
    TacticSummary_Absorb(alpha, counted);
    EXPECT_EQ(alpha->points_stats->count, 1) << "a counted record is not absorbed again";
    TacticResult* beta = MakeRecord("Beta", 1, 1, 99, 5, 5, 5);
    TacticSummary_Absorb(alpha, beta);
    EXPECT_EQ(alpha->points_stats->count, 1) << "another tactic's record is not absorbed";
    EXPECT_EQ(alpha->won, 0);
    EXPECT_EQ(beta->counted, 0);
    TacticResult_Destroy(beta);
}

TEST(TacticBook, SharesAndSaturatingTotals)
{
    TestBook book;
    TacticBook_Add(book.get(), MakeRecord("NoRecord", 1, 2, 3, 0, 0, 0));
    EXPECT_EQ(TacticSummary_WonShare(book.Summary(0)), 0.0);
    EXPECT_EQ(TacticSummary_DrawnShare(book.Summary(0)), 0.0);
    EXPECT_EQ(TacticSummary_LostShare(book.Summary(0)), 0.0);

    TacticBook_Add(book.get(), MakeRecord("Shares", 1, 2, 3, 20, 10, 8));
    EXPECT_DOUBLE_EQ(TacticSummary_WonShare(book.Summary(1)), 20.0 / 38.0);
    EXPECT_DOUBLE_EQ(TacticSummary_LostShare(book.Summary(1)), 8.0 / 38.0);

    for (int i = 0; i < 3; ++i)
        TacticBook_Add(book.get(), MakeRecord("Huge", 1, 2, 3, INT32_MAX, INT32_MAX, INT32_MAX));
    TacticSummary* huge = book.Summary(2);
    EXPECT_EQ(huge->won, INT32_MAX) << "totals saturate";
    EXPECT_EQ(huge->lost, INT32_MAX);
    EXPECT_DOUBLE_EQ(TacticSummary_WonShare(huge), 1.0 / 3.0) << "shares do not overflow";

    for (int i = 0; i < 3; ++i)
        TacticBook_Add(book.get(), MakeRecord("Tiny", 1, 2, 3, INT32_MIN, 0, 0));
    EXPECT_EQ(book.Summary(3)->won, INT32_MIN);
    EXPECT_EQ(TacticSummary_WonShare(book.Summary(3)), 0.0) << "a negative sum gives no share";
}

TEST(TacticBook, FindSummaryStaysRightAfterReordering)
{
    TestBook book;
    for (int i = 0; i < 3000; ++i)
        book.Season("Tactic" + std::to_string(i % 1000), i);
    ASSERT_EQ(book->summaries->count, 1000);
    EXPECT_EQ(book.Summary(999)->points_stats->count, 3);
    DArray_Reverse(book->summaries);
    TacticResult* probe = MakeRecord("Tactic10", 0, 0, 0);
    int position = TacticBook_FindSummary(book.get(), probe);
    ASSERT_EQ(position, 989);
    EXPECT_STREQ(book.Summary(position)->name, "Tactic10");
    Str_Free(probe->name);
    probe->name = Str_Dup("Tactic1000");
    EXPECT_EQ(TacticBook_FindSummary(book.get(), probe), -1);
    TacticResult_Destroy(probe);
    book.Season("Tactic10", 1);
    EXPECT_EQ(book->summaries->count, 1000) << "the season joins the existing summary";
    EXPECT_EQ(book.Summary(989)->points_stats->count, 4);
}

TEST(TacticBook, FoldersWithoutRegistryValue)
{
#if !defined(_WIN32)
    TacticBook* book = TacticBook_Create();
    EXPECT_STREQ(book->game_folder, "C:\\Program Files\\Gafferline Gold");
    EXPECT_STREQ(book->tactics_folder, "C:\\Program Files\\Gafferline Gold/tactics");
    TacticBook_Destroy(book);
#else
    GTEST_SKIP() << "the registry lookup is tested with the registry";
#endif
}

TEST(TacticBook, AttachesFormationsByName)
{
    TempDir dir;
    dir.Write("Alpha.tct", FormationBytes(1));
    dir.Write("Beta.tct", std::string(1475, '\2'));
    dir.Write("GAMMA.tct", FormationBytes(3));
    dir.Write("Delta.txt", FormationBytes(4));
    TestBook book(dir.Path().string());
    std::string results = "Alpha 1-2 30\nBeta 1-2 30\nGamma 1-2 30\nDelta 1-2 30\nMissing 1-2 30\n../Alpha 1-2 30\n";
    TacticBook_LoadFile(book.get(), dir.Write("r.txt", results).c_str());
    ASSERT_EQ(book->summaries->count, 6);
    ASSERT_NE(book.Summary(0)->formation, nullptr) << "Alpha.tct";
    EXPECT_EQ(book.Summary(0)->formation->bytes[313], 1);
    EXPECT_EQ(book.Summary(1)->formation, nullptr) << "a short file gives no formation";
#if defined(_WIN32)
    ASSERT_NE(book.Summary(2)->formation, nullptr) << "Windows file names ignore case";
    EXPECT_EQ(book.Summary(2)->formation->bytes[0], 3);
#else
    EXPECT_EQ(book.Summary(2)->formation, nullptr) << "file names are case-sensitive here";
#endif
    EXPECT_EQ(book.Summary(3)->formation, nullptr) << "only .tct files";
    EXPECT_EQ(book.Summary(4)->formation, nullptr);
    EXPECT_EQ(book.Summary(5)->formation, nullptr) << "a name with a folder is not a tactic file";

    // Outside a load every name is tried on disk.
    TacticSummary* alpha = TacticSummary_Create("Alpha");
    TacticSummary_AttachFormation(alpha, dir.Path().string().c_str());
    EXPECT_NE(alpha->formation, nullptr);
    TacticSummary_Destroy(alpha);
}

TEST(TacticBook, SaveWritesTheChosenTacticsInOrder)
{
    TempDir dir;
    TestBook book;
    TacticBook_LoadFile(book.get(), dir.Write("r.txt", std::string(kThreeSeasons) + "Gamma 1-2 3\n").c_str());
    DArray* chosen = DArray_Create(0);
    DArray_Append(chosen, book.Summary(2)); // Gamma
    DArray_Append(chosen, book.Summary(0)); // Alpha
    std::string out = dir.File("saved.txt");
    ASSERT_EQ(TacticBook_SaveSummaries(out.c_str(), chosen), 0);
    TextFile saved(out);
    std::string text;
    for (int c; (c = std::fgetc(saved.get())) != EOF;)
        text.push_back(static_cast<char>(c));
    EXPECT_EQ(text, "Gamma                      1-2   3 26 0-0-0\n"
                    "Alpha                     71-35 70 38 20-10-8\n"
                    "Alpha                     60-40 61 38 17-10-11\n");
    DArray_Destroy(chosen, nullptr);
}

TEST(TacticBook, SaveReplacesOnlyWhenAllWasWritten)
{
    TempDir dir;
    TestBook book;
    book.Season("Alpha", 60);
    DArray* chosen = DArray_Create(0);
    DArray_Append(chosen, book.Summary(0));

    std::string existing = dir.Write("existing.txt", "old content\n");
    EXPECT_EQ(TacticBook_SaveSummaries(existing.c_str(), chosen), 0);
    EXPECT_NE(ReadBytes(existing).find("Alpha"), std::string::npos) << "an existing file is replaced";

    // A target that cannot be replaced (a folder) fails and leaves no trace.
    std::filesystem::create_directory(dir.Path() / "folder");
    EXPECT_EQ(TacticBook_SaveSummaries(dir.File("folder").c_str(), chosen), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "folder"));
    EXPECT_EQ(TacticBook_SaveSummaries(dir.File("no-such-folder/x.txt").c_str(), chosen), -1);
    EXPECT_EQ(TacticBook_SaveSummaries(nullptr, chosen), -1);

    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2) << "only existing.txt and the folder: no temporary file is left";
    DArray_Destroy(chosen, nullptr);
}

TEST(TacticBook, SavedSeasonsLoadBackTheSame)
{
    TempDir dir;
    TestBook book;
    TacticBook_LoadFile(book.get(), dir.Write("r.txt", kThreeSeasons).c_str());
    std::string out = dir.File("saved.txt");
    ASSERT_EQ(TacticBook_SaveSummaries(out.c_str(), book->summaries), 0);
    TestBook again;
    TacticBook_LoadFile(again.get(), out.c_str());
    ASSERT_EQ(again.Names(), book.Names());
    for (int i = 0; i < book->summaries->count; ++i) {
        EXPECT_EQ(again.Summary(i)->points_stats->mean, book.Summary(i)->points_stats->mean);
        EXPECT_EQ(again.Summary(i)->won, book.Summary(i)->won);
    }
}
