// The program's resources as the executable carries them.
#include "app/MainWindowClass.h"
#include "common/WinTest.h"

#include <gtest/gtest.h>

// The main window's class: the system dialog class under the program's name,
// with the application icon; registering it again finds it there.
TEST(Resources, MainWindowClassHasTheIcon)
{
    ASSERT_TRUE(RegisterMainWindowClass(Instance()));
    EXPECT_TRUE(RegisterMainWindowClass(Instance())) << "a second registration";
    WNDCLASSEXA ours{sizeof ours, 0, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    WNDCLASSEXA system = ours;
    GetClassInfoExA(Instance(), kMainWindowClassName, &ours);
    GetClassInfoExA(nullptr, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(32770)), &system);
    EXPECT_TRUE(ours.lpfnWndProc == system.lpfnWndProc && ours.cbWndExtra == system.cbWndExtra) << "a dialog class";
    EXPECT_TRUE(ours.hIcon && ours.hIconSm) << "the icon in both sizes";
}
