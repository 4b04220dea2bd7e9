// KXRevUrad: tactic test results. Files named on the command line are loaded
// at start, in order, as with File, Add File.
#include "app/MainDialog.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    MainDialogStart start{};
    start.file_count = __argc > 1 ? __argc - 1 : 0;
    start.files = __argv + 1;
    return MainWindow_Run(instance, &start);
}
