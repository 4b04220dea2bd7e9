// Generated input files for the benchmarks, made once per run in a temporary
// folder and removed at exit.
#pragma once

#include <string>

// Path of a generated results file with the given lines and tactics (writer
// format with a few comments and blank lines).
const std::string& BenchResultsFile(long lines, int tactics);

// Path of a results file with one season for each of count distinct tactic
// names, in the writer format. Crafted names all have one and the same value
// under the unkeyed name hash that the book's index used until it was keyed
// (the worst input for that index); ordinary names are generated ones like
// "Counter442_0017".
const std::string& BenchNamesFile(int count, bool crafted);

// Size of a file in bytes.
long long BenchFileSize(const std::string& path);
