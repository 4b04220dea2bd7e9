#include "app/CommandLine.h"

#include "support/WideText.h"

#include <windows.h>
#include <shellapi.h>

std::vector<std::string> CommandLine_Files(const wchar_t* command_line)
{
    std::vector<std::string> files;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(command_line, &count);
    if (!arguments)
        return files;
    for (int i = 1; i < count; ++i)
        files.push_back(WideText_ToUtf8(arguments[i]));
    LocalFree(arguments);
    return files;
}
