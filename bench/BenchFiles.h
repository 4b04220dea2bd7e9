// Generated input files for the benchmarks, made once per run in a temporary
// folder and removed at exit.
#pragma once

#include <string>

// Path of a generated results file with the given lines and tactics (writer
// format with a few comments and blank lines).
const std::string& BenchResultsFile(long lines, int tactics);

// Size of a file in bytes.
long long BenchFileSize(const std::string& path);
