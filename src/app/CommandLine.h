// The files named on the program's command line.
#pragma once

#include <string>
#include <vector>

// The arguments after the program's own name in a command line (as
// GetCommandLineW gives it, split by the usual quoting rules), in UTF-8.
std::vector<std::string> CommandLine_Files(const wchar_t* command_line);
