#include "BenchFiles.h"

#include "resultsgen/ResultsGen.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

namespace fs = std::filesystem;

namespace {

struct Files {
    fs::path folder;
    std::map<std::pair<long, int>, std::string> made;
    ~Files()
    {
        std::error_code ignored;
        if (!folder.empty())
            fs::remove_all(folder, ignored);
    }
};

Files& TheFiles()
{
    static Files files;
    if (files.folder.empty()) {
        files.folder = fs::temp_directory_path() / ("kx-bench-" + std::to_string(std::rand()));
        fs::create_directories(files.folder);
    }
    return files;
}

} // namespace

const std::string& BenchResultsFile(long lines, int tactics)
{
    Files& files = TheFiles();
    auto key = std::make_pair(lines, tactics);
    auto found = files.made.find(key);
    if (found != files.made.end())
        return found->second;
    std::string path =
        (files.folder / ("results-" + std::to_string(lines) + "-" + std::to_string(tactics) + ".txt")).string();
    ResultsGenOptions options;
    options.lines = lines;
    options.tactics = tactics;
    options.seed = 20261206;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || !ResultsGen_Write(out, options) || std::fclose(out) != 0) {
        std::fprintf(stderr, "cannot generate %s\n", path.c_str());
        std::exit(1);
    }
    return files.made.emplace(key, path).first->second;
}

long long BenchFileSize(const std::string& path)
{
    return static_cast<long long>(fs::file_size(path));
}
