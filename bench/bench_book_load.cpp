// Loading generated results files into a tactic book (tactics folder empty),
// against reading the same bytes with one fread: MB/s for both and the ratio.
#include "BenchFiles.h"
#include "results/TacticBook.h"
#include "support/Str.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

const std::string& EmptyTacticsFolder()
{
    static std::string folder = [] {
        auto path = std::filesystem::temp_directory_path() / "kx-bench-empty-tactics";
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
}

// Seconds to read the whole file into a buffer with one fread (best of five).
double FreadSeconds(const std::string& path, long long bytes)
{
    std::vector<char> buffer(static_cast<std::size_t>(bytes));
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        auto start = std::chrono::steady_clock::now();
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = seconds < best ? seconds : best;
    }
    return best;
}

void BM_LoadFile(benchmark::State& state)
{
    const std::string& path = BenchResultsFile(1000000, static_cast<int>(state.range(0)));
    long long bytes = BenchFileSize(path);
    double fread_seconds = FreadSeconds(path, bytes);
    double load_seconds = 0;
    int summaries = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        TacticBook* book = TacticBook_Create();
        Str_Free(book->tactics_folder);
        book->tactics_folder = Str_Dup(EmptyTacticsFolder().c_str());
        TacticBook_LoadFile(book, path.c_str());
        summaries = book->summaries->count;
        load_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        TacticBook_Destroy(book);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["tactics"] = summaries;
    // How many times longer loading takes than reading the bytes.
    state.counters["x_fread"] = load_seconds / static_cast<double>(state.iterations()) / fread_seconds;
}

void BM_FreadWhole(benchmark::State& state)
{
    const std::string& path = BenchResultsFile(1000000, static_cast<int>(state.range(0)));
    long long bytes = BenchFileSize(path);
    std::vector<char> buffer(static_cast<std::size_t>(bytes));
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

} // namespace

BENCHMARK(BM_LoadFile)->Arg(500)->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_FreadWhole)->Arg(500)->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
