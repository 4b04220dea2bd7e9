#include "app/MainWindowClass.h"
#include "common/WinTest.h"
#include "resizer/Resizer.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

// What the caller's procedure saw of the resizer at WM_INITDIALOG (widening the window) and WM_DESTROY.
struct Seen {
    int destroys;
    bool attached_at_init;
    LONG_PTR procedure_at_destroy;
    HANDLE properties_at_destroy[2];
} g_seen;
const wchar_t* const kProperties[2] = {L"ResizerPointer", L"ResizerWindowProc"}; // the layout, the procedure

INT_PTR CALLBACK CallerProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    RECT r{};
    GetWindowRect(dialog, &r);
    if (message == WM_INITDIALOG) {
        g_seen.attached_at_init = ResizerLayoutOf(dialog) != nullptr;
        SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left + 30, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    } else if (message == WM_DESTROY) {
        ++g_seen.destroys;
        g_seen.procedure_at_destroy = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
        for (int i = 0; i < 2; ++i)
            g_seen.properties_at_destroy[i] = GetPropW(dialog, kProperties[i]);
    }
    return message == WM_INITDIALOG;
}

// A control's rectangle in its dialog; a dialog's client rectangle.
RECT Rect(HWND window)
{
    RECT r{};
    HWND parent = GetParent(window);
    parent ? GetWindowRect(window, &r) : GetClientRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), parent ? 2 : 0);
    return r;
}

// A rectangle moved by (dx, dy) along the edges named in "ltrb".
std::string Text(const RECT& r, const char* edges = "", int dx = 0, int dy = 0)
{
    auto at = [&](char edge, LONG value, int by) { return std::to_string(value + (strchr(edges, edge) ? by : 0)); };
    return at('l', r.left, dx) + ", " + at('t', r.top, dy) + ", " + at('r', r.right, dx) + ", " + at('b', r.bottom, dy);
}

// Whether a control shows anything but the face colour inside its border.
bool Drawn(HWND control)
{
    RECT r = Rect(control);
    WindowDC dc(GetParent(control));
    const int w = r.right - r.left - 4, h = r.bottom - r.top - 4;
    return Pixels(dc.get(), r.left + 2, r.top + 2, w, h).Count(GetSysColor(COLOR_BTNFACE)) < w * h;
}

} // namespace

TEST(Resizer, AttachesAfterTheCallersInitLaysOutAndDetachesBeforeItsDestroy)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    RegisterMainWindowClass(Instance());
    ATOM atoms[2] = {GlobalAddAtomW(kProperties[0]), GlobalAddAtomW(kProperties[1])}; // names kept for a while
    HWND dialog = ResizerCreateDialogParam(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, CallerProc, 0);
    Pump();
    EXPECT_FALSE(g_seen.attached_at_init) << "the caller's WM_INITDIALOG runs before the resizer attaches";
    EXPECT_EQ(GetWindowLongPtrA(dialog, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure));
    EXPECT_NE(GetPropW(dialog, kProperties[1]), nullptr) << "the previous procedure's property";
    const ResizeLayout* layout = ResizerLayoutOf(dialog);
    EXPECT_EQ(GetPropW(dialog, kProperties[0]), layout) << "the layout property";
    const RECT client = Rect(dialog);
    RECT window{};
    GetWindowRect(dialog, &window);
    EXPECT_EQ(Text({0, 0, layout->minClientWidth, layout->minClientHeight}), Text(client))
        << "the opening size, taken after the caller widened the window";
    EXPECT_EQ(layout->minWindowWidth, window.right - window.left);
    EXPECT_EQ(layout->active * 10 + layout->entryCount, 16) << "active, with its six hinted controls";

    // The buttons move with the lower right corner, the list grows (the status bar keeps its own width).
    const std::pair<int, const char*> hinted[] = {{IDC_MAIN_CLOSE, "ltrb"}, {IDC_MAIN_STATS, "ltrb"},
                                                  {IDC_MAIN_COMPARE, "ltrb"}, {IDC_MAIN_LIST, "rb"}};
    HWND control[4];
    RECT opening[4];
    for (int i = 0; i < 4; ++i)
        opening[i] = Rect(control[i] = GetDlgItem(dialog, hinted[i].first));
    const struct {
        int dx, dy;
        UINT flags;             // SWP_NOSENDCHANGING: without the minimum tracking size
        int client_x, client_y; // the client size since the opening
        int move_x, move_y;     // the layout's move since the opening
    } steps[] = {
        {100, 50, 0, 100, 50, 100, 50}, {-30, 20, 0, 70, 70, 70, 70},
        {-200, -200, 0, 0, 0, 0, 0}, // refused below the opening size
        {100, 50, 0, 100, 50, 100, 50}, {-140, -70, SWP_NOSENDCHANGING, -40, -20, 0, 0}, // laid out as at the opening
        {140, 70, SWP_NOSENDCHANGING, 100, 50, 100, 50},
    };
    for (const auto& s : steps) {
        GetWindowRect(dialog, &window);
        SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + s.dx, window.bottom - window.top + s.dy,
                     SWP_NOMOVE | SWP_NOZORDER | s.flags);
        Pump();
        EXPECT_EQ(Text(Rect(dialog)), Text(client, "rb", s.client_x, s.client_y)) << "client after " << s.dx;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Text(Rect(control[i])), Text(opening[i], hinted[i].second, s.move_x, s.move_y))
                << "control " << hinted[i].first << " after a change of " << s.dx << ", " << s.dy;
            EXPECT_TRUE(i == 3 || Drawn(control[i])) << "button " << hinted[i].first << " drawn after " << s.dx;
        }
    }
    RECT grip = ResizerGripRect(dialog); // it answers below its rising diagonal, the diagonal excluded
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&grip), 2);
    const int n = grip.right - grip.left; // from its top left corner:
    for (auto [x, y, hit] : {std::tuple{n - 1, n - 1, HTBOTTOMRIGHT}, {n / 2, n - n / 2 + 1, HTBOTTOMRIGHT},
                             {0, 0, HTCLIENT}, {n / 2, n - n / 2, HTCLIENT}, {n - 2, 1, HTCLIENT}})
        EXPECT_EQ(SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(grip.left + x, grip.top + y)), hit) << x << "," << y;
    DestroyWindow(dialog);
    EXPECT_EQ(g_seen.destroys, 1) << "the caller's procedure sees WM_DESTROY once";
    EXPECT_NE(g_seen.procedure_at_destroy, reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure))
        << "the previous window procedure is back before WM_DESTROY";
    EXPECT_EQ(g_seen.properties_at_destroy[0], nullptr) << "layout property removed before WM_DESTROY";
    EXPECT_EQ(g_seen.properties_at_destroy[1], nullptr) << "procedure property removed before WM_DESTROY";
    GlobalDeleteAtom(atoms[0]);
    GlobalDeleteAtom(atoms[1]);
    EXPECT_EQ(GlobalFindAtomW(kProperties[0]) + GlobalFindAtomW(kProperties[1]), 0)
        << "the resizer holds no atom after the dialog is gone";
}
