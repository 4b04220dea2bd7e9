#include "stats/GdiGuard.h"

#include <gtest/gtest.h>

namespace {

// A memory context with a 1x1 bitmap of the screen's format selected.
struct Surface {
    WindowDC screen{nullptr};
    MemoryDC dc{screen.get()};
    GdiObject<HBITMAP> bitmap{CreateCompatibleBitmap(screen.get(), 4, 4)};
    SelectGuard select{dc.get(), bitmap.get()};
};

} // namespace

TEST(GdiGuard, SelectionsUnwindInOrderInTheirOwnContext)
{
    Surface a;
    Surface b;
    HGDIOBJ a_brush = GetCurrentObject(a.dc.get(), OBJ_BRUSH);
    HGDIOBJ b_brush = GetCurrentObject(b.dc.get(), OBJ_BRUSH);
    Brush first(CreateSolidBrush(RGB(1, 2, 3)));
    Brush second(CreateSolidBrush(RGB(4, 5, 6)));
    {
        SelectGuard outer(a.dc.get(), first.get());
        {
            SelectGuard inner(a.dc.get(), second.get());
            EXPECT_EQ(GetCurrentObject(a.dc.get(), OBJ_BRUSH), second.get());
            EXPECT_EQ(GetCurrentObject(b.dc.get(), OBJ_BRUSH), b_brush) << "b untouched";
        }
        EXPECT_EQ(GetCurrentObject(a.dc.get(), OBJ_BRUSH), first.get());
    }
    EXPECT_EQ(GetCurrentObject(a.dc.get(), OBJ_BRUSH), a_brush) << "a has its previous brush back";
    EXPECT_EQ(GetCurrentObject(b.dc.get(), OBJ_BRUSH), b_brush) << "b still untouched";
}

TEST(GdiGuard, ObjectsAndContextsAreDeletedAtScopeEndUnlessReleased)
{
    HPEN deleted;
    HDC dc;
    {
        Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        deleted = pen.get();
        EXPECT_EQ(GetObjectType(deleted), static_cast<DWORD>(OBJ_PEN));
        WindowDC screen(nullptr);
        MemoryDC memory(screen.get());
        dc = memory.get();
        EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(deleted), 0u) << "the pen is gone";
    EXPECT_EQ(GetObjectType(dc), 0u) << "the memory context is gone";

    HBRUSH kept;
    {
        Brush brush(CreateSolidBrush(RGB(9, 9, 9)));
        kept = brush.release();
    }
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH)) << "a released brush lives on";
    DeleteObject(kept);
}
