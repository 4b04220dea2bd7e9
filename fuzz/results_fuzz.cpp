// Fuzz target: every record read from any bytes is a season that writes and reads back the same.
#include "results/TacticResult.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

static void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "results fuzz: %s\n", what);
        std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The bytes as a file opened for reading as text, as the program opens results files.
#if defined(_WIN32) // a real file, so that the C runtime's text mode applies
    std::string path = (std::filesystem::temp_directory_path() / "kx-fuzz-input.txt").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::FILE* input = std::fopen(path.c_str(), "r");
#else
    std::FILE* input = size ? fmemopen(const_cast<uint8_t*>(data), size, "r") : std::fopen("/dev/null", "r");
#endif
    while (TacticResult* a = TacticResult_ReadNext(input)) {
        Check(a->name[0] && !std::strpbrk(a->name, " \t") && !std::strchr(";#", a->name[0]), "not a season's name");
        std::FILE* scratch = std::tmpfile();
        Check(scratch && !a->counted, "no scratch file, or a record counted before absorbing");
        TacticResult_Write(a, scratch);
        std::rewind(scratch);
        TacticResult* b = TacticResult_ReadNext(scratch);
        Check(b && !std::strcmp(a->name, b->name) && a->goals_for == b->goals_for &&
                  a->goals_against == b->goals_against && a->points == b->points && a->games == b->games &&
                  a->won == b->won && a->drawn == b->drawn && a->lost == b->lost,
              "a written record reads back different values");
        Check(!TacticResult_ReadNext(scratch), "a written record reads back as two");
        TacticResult_Destroy(a);
        TacticResult_Destroy(b);
        std::fclose(scratch);
    }
    Check(std::feof(input), "reading stopped before the end of the file");
    std::fclose(input);
    return 0;
}
