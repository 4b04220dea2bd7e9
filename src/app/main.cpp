// KXRevUrad: tactic test results. Files named on the command line are loaded
// at start, in order, as with File, Add File.
#include "app/CommandLine.h"
#include "app/MainDialog.h"

#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The wide command line: an ANSI one has lost the characters of file
    // names outside the code page.
    std::vector<std::string> files = CommandLine_Files(GetCommandLineW());
    std::vector<char*> names;
    for (std::string& file : files)
        names.push_back(file.data());
    MainDialogStart start{};
    start.file_count = static_cast<int>(names.size());
    start.files = names.data();
    return MainWindow_Run(instance, &start);
}
