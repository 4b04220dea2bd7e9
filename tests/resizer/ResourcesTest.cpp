// The program's resources as the executable carries them.
#include "common/WinTest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

// Version 6 of the common controls lives in the side-by-side store; only the
// manifest makes the program's calls reach it. (Its DllGetVersion is no help:
// Wine's answers 5.)
TEST(Resources, ManifestSelectsCommonControls6)
{
    HMODULE comctl = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCSTR>(&InitCommonControlsEx), &comctl));
    char path[MAX_PATH] = {};
    GetModuleFileNameA(comctl, path, sizeof(path));
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::string::npos)
        << "common controls loaded from " << path;
}
