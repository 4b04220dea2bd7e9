// Deterministic generator of realistic results files: 38-game seasons with
// Poisson goals, points from the won/drawn/lost record, in the writer's line
// format, with a few comment and blank lines. The same options give the same
// bytes on every platform.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct ResultsGenOptions {
    uint64_t seed = 1;
    long lines = 1000;             // season lines to write
    int tactics = 10;              // distinct tactics (ignored when names are given)
    std::vector<std::string> names; // tactic names to use instead of generated ones
    int games = 38;                // games per season
    double comment_share = 0.01;   // share of extra comment lines
    double blank_share = 0.005;    // share of extra blank lines
    bool mixed_forms = false;      // also write 3- and 4-field lines and tabs
};

// The generated name of tactic i (realistic, without blanks), e.g. "Counter442_0017".
std::string ResultsGen_TacticName(int index);

// Writes the whole file to out; returns false when writing failed.
bool ResultsGen_Write(std::FILE* out, const ResultsGenOptions& options);

// A small pseudo-random source whose sequence is the same everywhere.
class ResultsGenRandom {
public:
    explicit ResultsGenRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // Uniform in [0, 1) with 53 random bits.
    double Uniform();
    // Uniform integer in [0, n).
    uint32_t Below(uint32_t n);
    // Poisson-distributed count with the given mean (mean at most 20).
    int Poisson(double mean);

private:
    uint64_t state_;
};
