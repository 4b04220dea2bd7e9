// Linked into every test program: before any test runs, creates the file
// named by KX_TEST_STARTED. The Wine launcher (tools/wine-run --test) tells
// by it a program that failed from one that Wine never started.
#include <cstdio>
#include <cstdlib>

namespace {

const bool kStarted = [] {
    if (const char* path = std::getenv("KX_TEST_STARTED")) {
        if (std::FILE* marker = std::fopen(path, "w"))
            std::fclose(marker);
    }
    return true;
}();

} // namespace
