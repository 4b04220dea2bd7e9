// The resizer on the program's main dialog.
#include "app/MainWindowClass.h"
#include "common/WinTest.h"
#include "resizer/Resizer.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

// What the caller's procedure saw of the resizer at WM_INITDIALOG and WM_DESTROY.
struct Seen {
    int grow_at_init; // pixels by which the caller widens the window
    int inits, destroys;
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
        ++g_seen.inits;
        g_seen.attached_at_init = ResizerLayoutOf(dialog) != nullptr;
        SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left + g_seen.grow_at_init, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (message == WM_DESTROY) {
        ++g_seen.destroys;
        g_seen.procedure_at_destroy = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
        for (int i = 0; i < 2; ++i)
            g_seen.properties_at_destroy[i] = GetPropW(dialog, kProperties[i]);
    }
    return message == WM_INITDIALOG;
}

// A window's rectangle in its parent's client area.
RECT Rect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A rectangle moved by (dx, dy) along the edges named in "ltrb".
std::string Text(const RECT& r, const char* edges = "", int dx = 0, int dy = 0)
{
    auto at = [&](char edge, LONG value, int by) { return std::to_string(value + (std::strchr(edges, edge) ? by : 0)); };
    return at('l', r.left, dx) + ", " + at('t', r.top, dy) + ", " + at('r', r.right, dx) + ", " + at('b', r.bottom, dy);
}

// The main dialog through the resizer: its buttons move with the lower right
// corner, the list grows, the status bar moves down and grows in width.
const std::pair<int, const char*> kHinted[6] = {
    {IDC_MAIN_CLOSE, "ltrb"}, {IDC_MAIN_STATS, "ltrb"}, {IDC_MAIN_COMPARE, "ltrb"}, {IDC_MAIN_WEAKNESS, "ltrb"},
    {IDC_MAIN_LIST, "rb"},    {IDC_MAIN_STATUS, "trb"}};
struct MainDialog {
    HWND dialog;
    RECT client{}, window{}, opening[6]{};
    explicit MainDialog(int grow_at_init = 0)
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        RegisterMainWindowClass(Instance());
        g_seen = {};
        g_seen.grow_at_init = grow_at_init;
        dialog = ResizerCreateDialogParam(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, CallerProc, 0);
        Pump();
        GetClientRect(dialog, &client);
        GetWindowRect(dialog, &window);
        for (int i = 0; i < 6; ++i)
            opening[i] = Rect(GetDlgItem(dialog, kHinted[i].first));
    }
    ~MainDialog() { DestroyWindow(dialog); }
    // Every hinted control (but the status bar, optionally) moved by (dx, dy) since the opening.
    void ExpectMovedBy(int dx, int dy, bool status_bar = true) const
    {
        for (int i = 0; i < (status_bar ? 6 : 5); ++i)
            EXPECT_EQ(Text(Rect(GetDlgItem(dialog, kHinted[i].first))), Text(opening[i], kHinted[i].second, dx, dy))
                << "control " << kHinted[i].first << " moved by " << dx << ", " << dy;
    }
    // Whether a control shows anything but the face colour inside its border.
    bool Drawn(int id) const
    {
        RECT r = Rect(GetDlgItem(dialog, id));
        WindowDC dc(dialog);
        const int w = r.right - r.left - 4, h = r.bottom - r.top - 4;
        return Pixels(dc.get(), r.left + 2, r.top + 2, w, h).Count(GetSysColor(COLOR_BTNFACE)) < w * h;
    }
};

} // namespace

TEST(Resizer, AttachesAfterTheCallersInitAndDetachesBeforeItsDestroy)
{
    for (int grow : {0, 30}) {
        ATOM atoms[2] = {GlobalAddAtomW(kProperties[0]), GlobalAddAtomW(kProperties[1])}; // names kept for a while
        {
            MainDialog main(grow);
            EXPECT_EQ(g_seen.inits, 1);
            EXPECT_FALSE(g_seen.attached_at_init) << "the caller's WM_INITDIALOG runs before the resizer attaches";
            EXPECT_EQ(GetWindowLongPtrA(main.dialog, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure));
            ResizeLayout* layout = ResizerLayoutOf(main.dialog);
            ASSERT_NE(layout, nullptr);
            EXPECT_EQ(layout->active * 10 + layout->entryCount, 16) << "active, with the six hinted controls";
            EXPECT_EQ(Text({0, 0, layout->minClientWidth, layout->minClientHeight}), Text(main.client))
                << "the opening client size, after the caller widened the window by " << grow;
            EXPECT_EQ(layout->minWindowWidth, main.window.right - main.window.left);
            EXPECT_EQ(GetPropW(main.dialog, kProperties[0]), layout) << "the layout property";
            EXPECT_NE(GetPropW(main.dialog, kProperties[1]), nullptr) << "the previous procedure's property";
        }
        EXPECT_EQ(g_seen.destroys, 1) << "the caller's procedure sees WM_DESTROY once";
        EXPECT_NE(g_seen.procedure_at_destroy, reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure))
            << "the previous window procedure is back before WM_DESTROY";
        EXPECT_NE(g_seen.procedure_at_destroy, 0);
        EXPECT_EQ(g_seen.properties_at_destroy[0], nullptr) << "layout property removed before WM_DESTROY";
        EXPECT_EQ(g_seen.properties_at_destroy[1], nullptr) << "procedure property removed before WM_DESTROY";
        GlobalDeleteAtom(atoms[0]);
        GlobalDeleteAtom(atoms[1]);
        EXPECT_EQ(GlobalFindAtomW(kProperties[0]) + GlobalFindAtomW(kProperties[1]), 0)
            << "the resizer holds no atom after the dialog is gone";
    }
}

TEST(Resizer, ResizingMovesAndRedrawsTheHintedControls)
{
    MainDialog main;
    ASSERT_TRUE(main.Drawn(IDC_MAIN_CLOSE)) << "Close button drawn before resizing";
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
        RECT now{};
        GetWindowRect(main.dialog, &now);
        SetWindowPos(main.dialog, nullptr, 0, 0, now.right - now.left + s.dx, now.bottom - now.top + s.dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | s.flags);
        Pump();
        GetClientRect(main.dialog, &now);
        EXPECT_EQ(Text(now), Text(main.client, "rb", s.client_x, s.client_y)) << "client area";
        // The status bar puts itself at the bottom of its parent whenever its size changes.
        main.ExpectMovedBy(s.move_x, s.move_y, s.client_x == s.move_x);
    }
    UpdateWindow(main.dialog);
    for (int id : {IDC_MAIN_CLOSE, IDC_MAIN_STATS, IDC_MAIN_COMPARE})
        EXPECT_TRUE(main.Drawn(id)) << "button " << id << " drawn at its new place";
    ShowWindow(main.dialog, SW_MINIMIZE);
    ShowWindow(main.dialog, SW_RESTORE);
    Pump();
    main.ExpectMovedBy(100, 50);
}

TEST(Resizer, GripAnswersBelowItsDiagonal)
{
    MainDialog main;
    RECT grip = ResizerGripRect(main.dialog);
    MapWindowPoints(main.dialog, nullptr, reinterpret_cast<POINT*>(&grip), 2);
    const int side = grip.right - grip.left;
    ASSERT_GT(side, 4);
    const struct { int dx, dy; LRESULT hit; } points[] = { // from the grip's top left corner
        {side - 1, side - 1, HTBOTTOMRIGHT}, {side / 2, side - side / 2 + 1, HTBOTTOMRIGHT}, // below the diagonal
        {0, 0, HTCLIENT}, {side / 2, side - side / 2, HTCLIENT}, {side - 2, 1, HTCLIENT}}; // on it, above it
    for (const auto& p : points)
        EXPECT_EQ(SendMessageA(main.dialog, WM_NCHITTEST, 0, MAKELPARAM(grip.left + p.dx, grip.top + p.dy)), p.hit)
            << "at " << p.dx << ", " << p.dy << " in the grip";
}
