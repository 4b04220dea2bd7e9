// gen-results: writes a deterministic, realistic results file.
//
//   gen-results [--lines N] [--tactics T] [--seed S] [--games G] [--mixed]
//               [--names a,b,c] [--comments SHARE] [--blanks SHARE] [-o FILE]
#include "resultsgen/ResultsGen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static int Usage()
{
    std::fputs("usage: gen-results [--lines N] [--tactics T] [--seed S] [--games G] [--mixed]\n"
               "                   [--names a,b,c] [--comments SHARE] [--blanks SHARE] [-o FILE]\n",
               stderr);
    return 2;
}

int main(int argc, char** argv)
{
    ResultsGenOptions options;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--mixed") {
            options.mixed_forms = true;
            continue;
        }
        if (!value)
            return Usage();
        ++i;
        if (arg == "--lines")
            options.lines = std::strtol(value, nullptr, 10);
        else if (arg == "--tactics")
            options.tactics = static_cast<int>(std::strtol(value, nullptr, 10));
        else if (arg == "--seed")
            options.seed = std::strtoull(value, nullptr, 10);
        else if (arg == "--games")
            options.games = static_cast<int>(std::strtol(value, nullptr, 10));
        else if (arg == "--comments")
            options.comment_share = std::strtod(value, nullptr);
        else if (arg == "--blanks")
            options.blank_share = std::strtod(value, nullptr);
        else if (arg == "--names") {
            std::string list = value;
            for (std::size_t start = 0; start <= list.size();) {
                std::size_t comma = list.find(',', start);
                if (comma == std::string::npos)
                    comma = list.size();
                if (comma > start)
                    options.names.push_back(list.substr(start, comma - start));
                start = comma + 1;
            }
        } else if (arg == "-o")
            output = value;
        else
            return Usage();
    }
    std::FILE* out = output ? std::fopen(output, "wb") : stdout;
    if (!out) {
        std::fprintf(stderr, "gen-results: cannot create %s\n", output);
        return 1;
    }
    bool ok = ResultsGen_Write(out, options);
    if (output && std::fclose(out) != 0)
        ok = false;
    if (!ok) {
        std::fputs("gen-results: writing failed\n", stderr);
        return 1;
    }
    return 0;
}
