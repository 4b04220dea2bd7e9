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

TEST(GdiGuard, SelectRestoresIntoItsOwnContext)
{
    Surface a;
    Surface b;
    HGDIOBJ a_pen = GetCurrentObject(a.dc.get(), OBJ_PEN);
    HGDIOBJ b_pen = GetCurrentObject(b.dc.get(), OBJ_PEN);
    Pen red(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    {
        SelectGuard guard(a.dc.get(), red.get());
        EXPECT_EQ(GetCurrentObject(a.dc.get(), OBJ_PEN), red.get()) << "selected into a";
        EXPECT_EQ(GetCurrentObject(b.dc.get(), OBJ_PEN), b_pen) << "b untouched";
    }
    EXPECT_EQ(GetCurrentObject(a.dc.get(), OBJ_PEN), a_pen) << "a has its previous pen back";
    EXPECT_EQ(GetCurrentObject(b.dc.get(), OBJ_PEN), b_pen) << "b still untouched";
}

TEST(GdiGuard, NestedSelectionsUnwindInOrder)
{
    Surface s;
    HGDIOBJ original = GetCurrentObject(s.dc.get(), OBJ_BRUSH);
    Brush first(CreateSolidBrush(RGB(1, 2, 3)));
    Brush second(CreateSolidBrush(RGB(4, 5, 6)));
    {
        SelectGuard outer(s.dc.get(), first.get());
        {
            SelectGuard inner(s.dc.get(), second.get());
            EXPECT_EQ(GetCurrentObject(s.dc.get(), OBJ_BRUSH), second.get());
        }
        EXPECT_EQ(GetCurrentObject(s.dc.get(), OBJ_BRUSH), first.get());
    }
    EXPECT_EQ(GetCurrentObject(s.dc.get(), OBJ_BRUSH), original);
}

TEST(GdiGuard, ObjectIsDeletedAtScopeEndUnlessReleased)
{
    HPEN deleted;
    {
        Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        deleted = pen.get();
        EXPECT_EQ(GetObjectType(deleted), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GetObjectType(deleted), 0u) << "the pen is gone";

    HBRUSH kept;
    {
        Brush brush(CreateSolidBrush(RGB(9, 9, 9)));
        kept = brush.release();
    }
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH)) << "a released brush lives on";
    DeleteObject(kept);
}

TEST(GdiGuard, MemoryContextIsDeleted)
{
    HDC dc;
    {
        WindowDC screen(nullptr);
        MemoryDC memory(screen.get());
        dc = memory.get();
        EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(dc), 0u);
}
