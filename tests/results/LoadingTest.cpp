#include "results/ResultsLines.h"
#include "results/SeasonLine.h"
#include "results/TacticBook.h"
#include "results/TacticNameIndex.h"

#include "common/BookFixture.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Season(const TacticResult& r)
{
    std::string text = r.name ? r.name : "";
    for (int32_t value : {r.goals_for, r.goals_against, r.points, r.games, r.won, r.drawn, r.lost})
        text += " " + std::to_string(value);
    return text;
}

// The seasons (names of 3 characters or more) of the block reader's lines.
std::vector<std::string> SeasonsByBlock(const std::string& path, std::size_t block_size)
{
    TextFile file(path, "rb");
    ResultsLines lines(file.get(), block_size);
    std::vector<std::string> seasons;
    char* line = nullptr;
    for (std::size_t length = 0, name_length = 0; lines.Next(&line, &length);) {
        TacticResult r = kNewSeason;
        if (SeasonLine_Parse(line, length, &r, &name_length) && name_length >= 3)
            seasons.push_back(Season(r).insert(0, line, name_length));
    }
    return seasons;
}

std::vector<std::string> BookSeasons(const TestBook& book)
{
    std::vector<std::string> seasons;
    for (int i = 0; i < book->results->count; ++i)
        seasons.push_back(Season(*static_cast<const TacticResult*>(book->results->elems[i])));
    return seasons;
}

// Lines of every kind: comments, short, long, CR LF, lone CR, form feed, NUL, Ctrl-Z.
std::string RandomResults(std::mt19937& random)
{
    static const std::vector<std::string> pieces = {
        "Alpha", "Bet", "Ab", " ", "  ", "\t", "-", "12", "-7", "3-4-5", "\r", "\r\n", "\n", "\n", "\f",
        std::string(1, '\0'), ";", "#", "\xEF\xBB\xBF", std::string(70, 'w'), "Gamma 71-35 70 38 20-10-8\n",
        "\n" + std::string(55, 'n') + " 1-2 30 4\n"}; // 64 characters, ending in a field
    std::string text = "\n"; // a mark at the very start is the block reader's own business
    for (int i = 0; i < 400; ++i)
        text += random() % 300 == 0 ? std::string("\x1A") : pieces[random() % pieces.size()];
    return text;
}

} // namespace

TEST(Loading, BlockReaderAndLoaderReadTheSeasonsOfTheRecordReader)
{
    TempDir dir;
    std::mt19937 random(20261207);
    for (int file = 0; file < 60; ++file) {
        std::string path = dir.Write("r.txt", RandomResults(random));
        TestBook by_record, loaded;
        TextFile text(path);
        while (TacticResult* r = TacticResult_ReadNext(text.get()))
            TacticBook_Add(by_record.get(), r);
        std::vector<std::string> expected = BookSeasons(by_record);
        for (std::size_t block_size : {std::size_t{1}, std::size_t{7}, std::size_t{100}, ResultsLines::kBlockSize})
            ASSERT_EQ(SeasonsByBlock(path, block_size), expected) << "file " << file << ", blocks of " << block_size;
        ASSERT_EQ(TacticBook_LoadFile(loaded.get(), path.c_str()), 0);
        ASSERT_EQ(BookSeasons(loaded), expected) << "file " << file;
    }
}

TEST(Loading, ExampleFileSavesAsBefore)
{
    TempDir dir;
    TestBook book;
    ASSERT_EQ(TacticBook_LoadFile(book.get(), KX_EXAMPLE_RESULTS), 0);
    ASSERT_EQ(TacticBook_SaveSummaries(dir.File("saved.txt").c_str(), book->summaries), 0);
    auto text_of = [](const std::string& path) { // as text: Windows writes CR LF
        std::string text(1 << 16, '\0');
        text.resize(std::fread(text.data(), 1, text.size(), TextFile(path).get()));
        return text;
    };
    EXPECT_TRUE(text_of(dir.File("saved.txt")) == text_of(KX_EXAMPLE_RESULTS_SAVED)) << KX_EXAMPLE_RESULTS_SAVED;
}

TEST(Loading, ReadErrorEndsTheLoadAndKeepsWhatWasRead)
{
    // Opens, and every read of it fails (under Wine too, as Z:\proc\self\mem).
    const char* unreadable = PathSeparator() == '/' ? "/proc/self/mem" : "Z:\\proc\\self\\mem";
    TextFile probe(unreadable);
    EXPECT_EQ(TacticResult_ReadNext(probe.get()), nullptr);
    TestBook book;
    EXPECT_EQ(TacticBook_LoadFile(book.get(), unreadable), kLoadReadError);
#if defined(__GLIBC__)
    // 36 bytes, four at a time, then failure amid a line that would read as points 5.
    static const std::string kBytes = "Alpha 1-2 30\nBeta 3-4 40\nGamma 5-6 50\n";
    auto read = [](void* cookie, char* out, std::size_t) -> ssize_t {
        auto* at = static_cast<std::size_t*>(cookie);
        return *at >= 36 ? -1 : static_cast<ssize_t>(kBytes.copy(out, 4, std::exchange(*at, *at + 4)));
    };
    for (int reader = 0; reader < 2; ++reader) {
        std::size_t at = 0;
        std::FILE* failing = fopencookie(&at, "r", cookie_io_functions_t{read, nullptr, nullptr, nullptr});
        TestBook loaded;
        if (reader == 0)
            EXPECT_EQ(TacticBook_LoadStream(loaded.get(), failing), kLoadReadError);
        while (TacticResult* r = TacticResult_ReadNext(failing))
            TacticBook_Add(loaded.get(), r);
        EXPECT_EQ(loaded.Names(), (std::vector<std::string>{"Alpha", "Beta"})) << "reader " << reader;
        std::fclose(failing);
    }
#endif
}

TEST(Loading, ByteOrderMarkAtTheStartIsSkipped)
{
    TempDir dir;
    const std::string seasons = "Alpha 71-35 70 38 20-10-8\n\xEF\xBB\xBF" "Beta 1-2 30\nAlpha 1-1 1\n";
    TestBook plain, marked, half;
    TacticBook_LoadFile(plain.get(), dir.Write("plain.txt", seasons).c_str());
    TacticBook_LoadFile(marked.get(), dir.Write("marked.txt", "\xEF\xBB\xBF" + seasons).c_str());
    EXPECT_EQ(BookSeasons(marked), BookSeasons(plain));
    EXPECT_EQ(marked.Names(), (std::vector<std::string>{"Alpha", "\xEF\xBB\xBF" "Beta"})) << "only at the start";
    TacticBook_LoadFile(half.get(), dir.Write("half.txt", "\xEF\xBB" + seasons).c_str());
    EXPECT_EQ(half.Names()[0], "\xEF\xBB" "Alpha") << "only the whole mark";
}

TEST(Loading, NameIndexIsKeyedAndTakesANewKeyWhenNamesPileUp)
{
    TacticNameIndex* other = TacticNameIndex_Create();
    TacticNameIndex* index = TacticNameIndex_Create();
    EXPECT_NE(TacticNameIndex_Hash(other, "Counter442", 10), TacticNameIndex_Hash(index, "Counter442", 10));
    for (std::size_t length = 1; length <= 24; ++length) { // every byte counts, also those of a last partial word
        for (std::size_t at : {std::size_t{0}, length - 1}) {
            std::string text(length, 'a'), changed = text;
            changed[at] = 'b';
            EXPECT_NE(TacticNameIndex_Hash(other, changed.data(), length), TacticNameIndex_Hash(other, text.data(), length))
                << "byte " << at << " of " << length;
        }
    }
    TacticNameIndex_Destroy(index);
    // Names that share their slot under a known key, as if the key had leaked.
    index = TacticNameIndex_CreateWithKey(1, 2);
    std::vector<std::string> crowd;
    for (int i = 0; crowd.size() < 60; ++i) {
        std::string name = "Crowd" + std::to_string(i);
        if ((TacticNameIndex_Hash(index, name.data(), name.size()) & 1023) == 0)
            crowd.push_back(name);
    }
    uint64_t known = TacticNameIndex_Hash(index, crowd[0].data(), crowd[0].size());
    std::vector<TacticNameText> texts; // looked up in batches, as a load does
    for (const std::string& name : crowd)
        texts.push_back({name.data(), name.size()});
    std::vector<TacticName*> entries(crowd.size());
    TacticNameIndex_InternAll(index, texts.data(), texts.size(), entries.data());
    EXPECT_NE(TacticNameIndex_Hash(index, crowd[0].data(), crowd[0].size()), known) << "a new key";
    ASSERT_EQ(TacticNameIndex_Count(index), crowd.size());
    for (uint32_t i = 0; i < crowd.size(); ++i) {
        TacticName* entry = TacticNameIndex_At(index, i);
        EXPECT_EQ(TacticNameIndex_Intern(index, crowd[i].data(), crowd[i].size()), entry) << crowd[i];
        EXPECT_EQ(entries[i], entry) << crowd[i];
        EXPECT_EQ(TacticName_OfText(TacticName_Text(entry)), entry);
    }
    TacticNameIndex_Destroy(index);
    TacticNameIndex_Destroy(other);
}
