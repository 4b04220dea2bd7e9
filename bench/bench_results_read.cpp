// Reading a generated 1,000,000-line results file record by record.
#include "BenchFiles.h"
#include "results/TacticResult.h"

#include <benchmark/benchmark.h>

#include <cstdio>

static void BM_ReadNext(benchmark::State& state)
{
    const std::string& path = BenchResultsFile(1000000, 500);
    long long bytes = BenchFileSize(path);
    long records = 0;
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "r");
        records = 0;
        while (TacticResult* r = TacticResult_ReadNext(file)) {
            ++records;
            TacticResult_Destroy(r);
        }
        std::fclose(file);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_ReadNext)->Unit(benchmark::kMillisecond)->MinTime(2.0);
