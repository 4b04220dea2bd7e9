#include "BenchFiles.h"

#include "resultsgen/ResultsGen.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Files {
    fs::path folder;
    std::map<std::string, std::string> made; // file name -> path
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
        // A folder of this run's own: other benchmark runs may be going on.
        files.folder = fs::temp_directory_path() / ("kx-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(files.folder);
    }
    return files;
}

// The name hash of the index as it was before it was keyed, copied here to
// craft names that all collide under it.
uint64_t OldMix(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

uint64_t OldHashName(const char* name, std::size_t length)
{
    uint64_t h = 0x9E3779B97F4A7C15ull ^ length;
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, name + i, 8);
        h = OldMix(h ^ word) * 0xC2B2AE3D27D4EB4Full;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, name + i, length - i);
    return OldMix(h ^ tail ^ (static_cast<uint64_t>(length - i) << 59));
}

// The inverse of an odd number modulo 2^64 (Newton's iteration).
constexpr uint64_t InverseOf(uint64_t odd)
{
    uint64_t x = odd;
    for (int i = 0; i < 6; ++i)
        x *= 2 - odd * x;
    return x;
}

// OldMix backwards: the shift-xor by 33 undoes itself.
uint64_t OldUnmix(uint64_t h)
{
    h ^= h >> 33;
    h *= InverseOf(0xFF51AFD7ED558CCDull);
    h ^= h >> 33;
    return h;
}

// A byte of a crafted name: printable ASCII and no folder separator, as in
// ordinary names (other names are looked for on disk as tactic files, which
// would be measured instead of the index).
bool NameByte(unsigned char c)
{
    return c > ' ' && c < 127 && c != '/' && c != '\\' && c != ':';
}

// count 16-byte names with the same old hash: the first eight bytes are a
// counter in letters and digits, the last eight are solved for from them
// (and the counter is tried on until they are all name bytes).
std::vector<std::string> CraftedNames(int count)
{
    constexpr uint64_t kTarget = 0x5EED5EED5EED5EEDull;
    constexpr uint64_t kStep = 0xC2B2AE3D27D4EB4Full;
    const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::vector<std::string> names;
    for (uint64_t n = 0; static_cast<int>(names.size()) < count; ++n) {
        char name[16];
        name[0] = 'X';
        uint64_t rest = n;
        for (int i = 1; i < 8; ++i, rest /= 62)
            name[i] = digits[rest % 62];
        uint64_t first;
        std::memcpy(&first, name, 8);
        uint64_t h1 = OldMix((0x9E3779B97F4A7C15ull ^ 16) ^ first) * kStep;
        uint64_t second = OldUnmix(OldUnmix(kTarget) * InverseOf(kStep)) ^ h1;
        std::memcpy(name + 8, &second, 8);
        bool usable = true;
        for (int i = 8; i < 16; ++i)
            usable = usable && NameByte(static_cast<unsigned char>(name[i]));
        if (!usable)
            continue;
        if (OldHashName(name, 16) != kTarget) {
            std::fprintf(stderr, "crafted name does not collide\n");
            std::exit(1);
        }
        names.emplace_back(name, 16);
    }
    return names;
}

// The path of the file of this name in the run's folder, written by write
// (false on failure) the first time it is asked for.
const std::string& MadeFile(const std::string& name, const std::function<bool(std::FILE*)>& write)
{
    Files& files = TheFiles();
    auto found = files.made.find(name);
    if (found != files.made.end())
        return found->second;
    std::string path = (files.folder / name).string();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || !write(out) || std::fclose(out) != 0) {
        std::fprintf(stderr, "cannot generate %s\n", path.c_str());
        std::exit(1);
    }
    return files.made.emplace(name, path).first->second;
}

} // namespace

const std::string& BenchNamesFile(int count, bool crafted)
{
    return MadeFile((crafted ? "crafted-" : "ordinary-") + std::to_string(count) + ".txt", [&](std::FILE* out) {
        std::vector<std::string> names;
        if (crafted) {
            names = CraftedNames(count);
        } else {
            for (int i = 0; i < count; ++i)
                names.push_back(ResultsGen_TacticName(i));
        }
        for (int i = 0; i < count; ++i)
            std::fprintf(out, "%-25s %2i-%-2i %2i %i %i-%i-%i\n", names[static_cast<std::size_t>(i)].c_str(),
                         50 + i % 30, 40 + i % 20, 40 + i % 40, 38, 10 + i % 10, 10, 18 - i % 10);
        return std::ferror(out) == 0;
    });
}

const std::string& BenchResultsFile(long lines, int tactics)
{
    return MadeFile("results-" + std::to_string(lines) + "-" + std::to_string(tactics) + ".txt", [&](std::FILE* out) {
        ResultsGenOptions options;
        options.lines = lines;
        options.tactics = tactics;
        options.seed = 20261206;
        return ResultsGen_Write(out, options);
    });
}

long long BenchFileSize(const std::string& path)
{
    return static_cast<long long>(fs::file_size(path));
}
