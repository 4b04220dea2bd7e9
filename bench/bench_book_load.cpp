// Loading generated results files into a tactic book (tactics folder empty):
// MB/s, how many times one fread of the same bytes it takes, and the memory
// the book holds per season. Also 100,000 tactic names crafted to collide
// under the name index's old unkeyed hash against 100,000 ordinary names.
// Times are the process's CPU time, which other programs on a shared machine
// disturb less than the wall clock.
#include "BenchFiles.h"
#include "results/TacticBook.h"
#include "support/Str.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr long kLines = 1000000;

const std::string& EmptyTacticsFolder()
{
    static std::string folder = [] {
        auto path = std::filesystem::temp_directory_path() / "kx-bench-empty-tactics";
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
}

TacticBook* NewBook()
{
    TacticBook* book = TacticBook_Create();
    Str_Free(book->tactics_folder);
    book->tactics_folder = Str_Dup(EmptyTacticsFolder().c_str());
    return book;
}

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Seconds to read the whole file into a buffer with one fread (best of five).
double FreadSeconds(const std::string& path, long long bytes)
{
    std::vector<char> buffer(static_cast<std::size_t>(bytes));
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        double start = CpuSeconds();
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        double seconds = CpuSeconds() - start;
        best = seconds < best ? seconds : best;
    }
    return best;
}

// A line "Name:   123 kB" of /proc/self/status, in bytes.
long long StatusBytes(const char* name)
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long long kilobytes = -1;
    std::size_t length = std::strlen(name);
    while (status && std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, name, length) == 0)
            kilobytes = std::atoll(line + length);
    }
    if (status)
        std::fclose(status);
    return kilobytes * 1024;
}

// Run in a fresh process (so that no memory freed earlier is reused): loads
// the file and prints the peak resident size it added per season.
int PrintHeldBytes(const char* path)
{
    long long before = StatusBytes("VmHWM:");
    TacticBook* book = NewBook();
    TacticBook_LoadFile(book, path);
    long long after = StatusBytes("VmHWM:");
    std::printf("%.2f\n", static_cast<double>(after - before) / book->results->count);
    TacticBook_Destroy(book);
    return 0;
}

double HeldBytesPerSeason(const std::string& path)
{
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string command = "'" + self + "' --held-bytes '" + path + "'";
    std::FILE* child = popen(command.c_str(), "r");
    double bytes = -1;
    if (!child || std::fscanf(child, "%lf", &bytes) != 1)
        bytes = -1;
    if (child)
        pclose(child);
    return bytes;
}

// Loads path into a new book per iteration (the book's destruction is not
// timed); returns the mean seconds of one load.
double LoadRepeatedly(benchmark::State& state, const std::string& path)
{
    double seconds = 0;
    int summaries = 0;
    int seasons = 0;
    for (auto _ : state) {
        double start = CpuSeconds();
        TacticBook* book = NewBook();
        TacticBook_LoadFile(book, path.c_str());
        seconds += CpuSeconds() - start;
        summaries = book->summaries->count;
        seasons = book->results->count;
        state.PauseTiming();
        TacticBook_Destroy(book);
        state.ResumeTiming();
    }
    double mean = seconds / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * BenchFileSize(path));
    state.counters["tactics"] = summaries;
    state.counters["ns_per_season"] = mean * 1e9 / seasons;
    return mean;
}

void BM_LoadFile(benchmark::State& state)
{
    const std::string& path = BenchResultsFile(kLines, static_cast<int>(state.range(0)));
    double fread_seconds = FreadSeconds(path, BenchFileSize(path));
    double load_seconds = LoadRepeatedly(state, path);
    // How many times longer loading takes than reading the bytes.
    state.counters["x_fread"] = load_seconds / fread_seconds;
    state.counters["bytes_per_season"] = HeldBytesPerSeason(path);
}

void BM_LoadNames(benchmark::State& state)
{
    bool crafted = state.range(1) != 0;
    state.SetLabel(crafted ? "crafted" : "ordinary");
    LoadRepeatedly(state, BenchNamesFile(static_cast<int>(state.range(0)), crafted));
}

} // namespace

BENCHMARK(BM_LoadFile)->Arg(500)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_LoadNames)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--held-bytes") == 0)
        return PrintHeldBytes(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
