#include "app/MainWindowClass.h"
#include "common/WinTest.h"

#include <gtest/gtest.h>

TEST(Resources, MainWindowClassHasTheApplicationIcon)
{
    EXPECT_TRUE(RegisterMainWindowClass(Instance()) && RegisterMainWindowClass(Instance())) << "registered twice";
    WNDCLASSEXA ours{};
    ours.cbSize = sizeof ours;
    EXPECT_TRUE(GetClassInfoExA(Instance(), kMainWindowClassName, &ours) && ours.hIcon && ours.hIconSm);
}
