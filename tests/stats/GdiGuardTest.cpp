#include "stats/GdiGuard.h"

#include <gtest/gtest.h>

TEST(GdiGuard, SelectionsUnwindEachInItsOwnContextAndObjectsGoWithTheirScope)
{
    WindowDC screen(nullptr);
    MemoryDC a(screen.get()), b(screen.get());
    HGDIOBJ a_brush = GetCurrentObject(a.get(), OBJ_BRUSH), b_brush = GetCurrentObject(b.get(), OBJ_BRUSH);
    Brush first(CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ gone[2], kept;
    {
        Brush second(CreateSolidBrush(RGB(4, 5, 6)));
        MemoryDC memory(nullptr);
        SelectGuard outer(a.get(), second.get());
        SelectGuard other(b.get(), first.get());
        SelectGuard inner(a.get(), first.get());
        EXPECT_EQ(GetCurrentObject(a.get(), OBJ_BRUSH), first.get());
        gone[0] = second.get(), gone[1] = memory.get(), kept = Pen(CreatePen(PS_SOLID, 1, 0)).release();
    }
    EXPECT_EQ(GetCurrentObject(a.get(), OBJ_BRUSH), a_brush) << "a has its own brush back";
    EXPECT_EQ(GetCurrentObject(b.get(), OBJ_BRUSH), b_brush) << "b has its own brush back";
    EXPECT_EQ(GetObjectType(gone[0]), 0u) << "the brush is deleted";
    EXPECT_EQ(GetObjectType(gone[1]), 0u) << "the memory context is deleted";
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_PEN)) << "a released pen lives on";
    DeleteObject(kept);
}
