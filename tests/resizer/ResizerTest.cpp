// The resizer on real dialogs under Windows: the main dialog template of the
// program, and templates built in memory.
#include "app/MainWindowClass.h"
#include "resizer/Resizer.h"
#include "resizer/TemplateBytes.h"
#include "resources/resource.h"
#include "stats/GdiGuard.h"

#include "common/WinTest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A control's rectangle in its dialog's client coordinates.
RECT ControlRect(HWND dialog, int id)
{
    RECT r{};
    HWND control = GetDlgItem(dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE WindowSize(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// Changes the outer size by (dx, dy); flags may add SWP_NOSENDCHANGING to
// size the window without the minimum tracking size.
void GrowWindow(HWND window, int dx, int dy, UINT flags = 0)
{
    SIZE size = WindowSize(window);
    SetWindowPos(window, nullptr, 0, 0, size.cx + dx, size.cy + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    Pump();
}

std::string RectText(const RECT& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

// Dark pixels (text, frame) inside a control, as the dialog shows it.
int DarkPixelsIn(HWND dialog, int id)
{
    RECT r = ControlRect(dialog, id);
    WindowDC dc(dialog);
    int dark = 0;
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        for (int x = r.left + 1; x < r.right - 1; ++x) {
            COLORREF c = GetPixel(dc.get(), x, y);
            if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200)
                ++dark;
        }
    }
    return dark;
}

void OpenMainControls()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(RegisterMainWindowClass(Instance()));
}

// What the dialog procedure of these tests saw.
struct Observed {
    int initDialogs = 0;
    int destroys = 0;
    bool attachedDuringInit = true;
    LONG_PTR windowProcAtNcDestroy = 0;
    HANDLE layoutPropAtNcDestroy = reinterpret_cast<HANDLE>(1);
    HANDLE windowProcPropAtNcDestroy = reinterpret_cast<HANDLE>(1);
    int growOnInit = 0; // pixels the procedure widens the window by in WM_INITDIALOG
};
Observed g_seen;
ATOM g_layoutAtom; // the test's own references keep the property atoms alive
ATOM g_procAtom;

LPCSTR AtomKey(ATOM atom)
{
    return reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(atom));
}

INT_PTR CALLBACK DummyProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ++g_seen.initDialogs;
        g_seen.attachedDuringInit = ResizerLayoutOf(dialog) != nullptr;
        if (g_seen.growOnInit)
            GrowWindow(dialog, g_seen.growOnInit, 0);
        return TRUE;
    case WM_DESTROY:
        ++g_seen.destroys;
        return FALSE;
    case WM_NCDESTROY:
        g_seen.windowProcAtNcDestroy = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
        g_seen.layoutPropAtNcDestroy = GetPropA(dialog, AtomKey(g_layoutAtom));
        g_seen.windowProcPropAtNcDestroy = GetPropA(dialog, AtomKey(g_procAtom));
        return FALSE;
    default:
        return FALSE;
    }
}

struct HintedControl {
    int id;
    const char* name;
    int left, top, right, bottom; // moved by this many times (dx, dy, dx, dy)
};

// Enlarged by (dx, dy): the list grows with its top left corner fixed, the
// buttons move with the lower right corner, the status bar moves down and
// grows in width.
const HintedControl kMainControls[] = {
    {IDC_MAIN_CLOSE, "Close button", 1, 1, 1, 1},
    {IDC_MAIN_LIST, "list view", 0, 0, 1, 1},
    {IDC_MAIN_STATUS, "status bar", 0, 1, 1, 1},
    {IDC_MAIN_STATS, "Stats button", 1, 1, 1, 1},
    {IDC_MAIN_COMPARE, "Compare button", 1, 1, 1, 1},
    {IDC_MAIN_WEAKNESS, "Weakness button", 1, 1, 1, 1},
};

class MainDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OpenMainControls(); }

    void SetUp() override
    {
        g_seen = {};
        g_layoutAtom = GlobalAddAtomW(L"ResizerPointer");
        g_procAtom = GlobalAddAtomW(L"ResizerWindowProc");
        Open();
    }

    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
        Pump();
        GlobalDeleteAtom(g_layoutAtom);
        GlobalDeleteAtom(g_procAtom);
    }

    void Open()
    {
        dialog_ = ResizerCreateDialogParam(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, DummyProc, 0);
        ASSERT_NE(dialog_, nullptr) << "dialog 1001 opens through the resizer";
        Pump();
        for (const HintedControl& c : kMainControls)
            opening_[c.id] = ControlRect(dialog_, c.id);
        openingClient_ = ClientSize(dialog_);
        openingWindow_ = WindowSize(dialog_);
    }

    // Each hinted control where it opened, moved by (dx, dy) along its edges.
    // The status bar may be left out where its own placement (at the bottom
    // of its parent whenever its size changes) differs from the opening one.
    void ExpectControlsMovedBy(int dx, int dy, bool withStatusBar = true)
    {
        for (const HintedControl& c : kMainControls) {
            if (c.id == IDC_MAIN_STATUS && !withStatusBar)
                continue;
            RECT expected = opening_.at(c.id);
            expected.left += c.left * dx;
            expected.top += c.top * dy;
            expected.right += c.right * dx;
            expected.bottom += c.bottom * dy;
            EXPECT_EQ(RectText(ControlRect(dialog_, c.id)), RectText(expected)) << c.name;
        }
    }

    void ExpectClientGrownBy(int dx, int dy)
    {
        SIZE client = ClientSize(dialog_);
        EXPECT_EQ(client.cx, openingClient_.cx + dx) << "client width";
        EXPECT_EQ(client.cy, openingClient_.cy + dy) << "client height";
    }

    HWND dialog_ = nullptr;
    std::map<int, RECT> opening_;
    SIZE openingClient_{};
    SIZE openingWindow_{};
};

} // namespace

TEST_F(MainDialog, OpensResizableWithTheResizerAttached)
{
    EXPECT_EQ(g_seen.initDialogs, 1);
    EXPECT_FALSE(g_seen.attachedDuringInit) << "the caller's WM_INITDIALOG runs before the resizer attaches";
    EXPECT_EQ(GetWindowLongPtrA(dialog_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure));

    ResizeLayout* layout = ResizerLayoutOf(dialog_);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->active, 1);
    EXPECT_EQ(layout->entryCount, 6);
    EXPECT_EQ(layout->minClientWidth, openingClient_.cx);
    EXPECT_EQ(layout->minClientHeight, openingClient_.cy);
    EXPECT_EQ(GetPropA(dialog_, AtomKey(g_layoutAtom)), layout) << "layout property, keyed by the atom";
}

TEST_F(MainDialog, EnlargingMovesStretchesAndRedrawsTheHintedControls)
{
    ASSERT_GT(DarkPixelsIn(dialog_, IDC_MAIN_CLOSE), 0) << "Close button drawn before resizing";
    GrowWindow(dialog_, 100, 50);
    ExpectClientGrownBy(100, 50);
    ExpectControlsMovedBy(100, 50);
    UpdateWindow(dialog_);
    Pump();
    for (int id : {IDC_MAIN_CLOSE, IDC_MAIN_STATS, IDC_MAIN_COMPARE})
        EXPECT_GT(DarkPixelsIn(dialog_, id), 0) << "button " << id << " drawn at its new place";

    // A second step moves from where the first left the controls.
    GrowWindow(dialog_, -30, 20);
    ExpectControlsMovedBy(70, 70);
}

TEST_F(MainDialog, MinimumTrackingSizeIsTheOpeningWindowSize)
{
    MINMAXINFO info{};
    info.ptMinTrackSize = {1, 1};
    SendMessageA(dialog_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, openingWindow_.cx);
    EXPECT_EQ(info.ptMinTrackSize.y, openingWindow_.cy);

    GrowWindow(dialog_, -60, -30);
    SIZE size = WindowSize(dialog_);
    EXPECT_EQ(size.cx, openingWindow_.cx) << "shrinking below the opening width is refused";
    EXPECT_EQ(size.cy, openingWindow_.cy) << "shrinking below the opening height is refused";
    ExpectControlsMovedBy(0, 0);
}

// A window made smaller than it opened, past the minimum tracking size, lays
// its controls out as at the opening size.
TEST_F(MainDialog, SmallerSizeIsLaidOutAsTheOpeningSize)
{
    GrowWindow(dialog_, 100, 50);
    GrowWindow(dialog_, -140, -70, SWP_NOSENDCHANGING);
    ExpectClientGrownBy(-40, -20);

    // The status bar places itself at the bottom of its (now smaller) parent
    // whenever its own size changes; the other controls are where they opened.
    ExpectControlsMovedBy(0, 0, false);
    ResizeLayout* layout = ResizerLayoutOf(dialog_);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->lastWidth, openingClient_.cx) << "last size is the clamped size";
    EXPECT_EQ(layout->lastHeight, openingClient_.cy);

    // Growing again starts from the opening size.
    GrowWindow(dialog_, 140, 70, SWP_NOSENDCHANGING);
    ExpectControlsMovedBy(100, 50);
}

TEST_F(MainDialog, MinimiseAndRestoreLeaveTheControlsInPlace)
{
    GrowWindow(dialog_, 100, 50);
    ShowWindow(dialog_, SW_MINIMIZE);
    Pump();
    ASSERT_TRUE(IsIconic(dialog_));
    ExpectControlsMovedBy(100, 50);

    ShowWindow(dialog_, SW_RESTORE);
    Pump();
    ASSERT_FALSE(IsIconic(dialog_));
    ExpectClientGrownBy(100, 50);
    ExpectControlsMovedBy(100, 50);
}

TEST_F(MainDialog, GripHitTestAnswersBelowTheDiagonalOnly)
{
    RECT grip = ResizerGripRect(dialog_);
    MapWindowPoints(dialog_, nullptr, reinterpret_cast<POINT*>(&grip), 2);
    int side = grip.right - grip.left;
    ASSERT_GT(side, 4);
    struct {
        const char* where;
        int dx, dy; // from the grip's top left corner
        bool grip;
    } points[] = {
        {"one pixel inside the lower right corner", side - 1, side - 1, true},
        {"just below the diagonal", side / 2, side - side / 2 + 1, true},
        {"the top left corner", 0, 0, false},
        {"on the diagonal", side / 2, side - side / 2, false},
        {"above the diagonal", side - 2, 1, false},
    };
    for (const auto& p : points) {
        LRESULT hit = SendMessageA(dialog_, WM_NCHITTEST, 0, MAKELPARAM(grip.left + p.dx, grip.top + p.dy));
        EXPECT_EQ(hit, p.grip ? HTBOTTOMRIGHT : HTCLIENT) << p.where;
    }
}

TEST_F(MainDialog, DestroyRemovesProcedureAndProperties)
{
    EXPECT_TRUE(DestroyWindow(dialog_));
    dialog_ = nullptr;
    Pump();
    EXPECT_EQ(g_seen.destroys, 1) << "the caller's procedure sees WM_DESTROY once";
    EXPECT_NE(g_seen.windowProcAtNcDestroy, reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure))
        << "the previous window procedure is back";
    EXPECT_NE(g_seen.windowProcAtNcDestroy, 0);
    EXPECT_EQ(g_seen.layoutPropAtNcDestroy, nullptr) << "layout property removed";
    EXPECT_EQ(g_seen.windowProcPropAtNcDestroy, nullptr) << "procedure property removed";
}

TEST_F(MainDialog, OpeningSizesAreTakenAfterTheCallersInit)
{
    DestroyWindow(dialog_);
    dialog_ = nullptr;
    Pump();
    g_seen = {};
    g_seen.growOnInit = 30;
    Open();
    ResizeLayout* layout = ResizerLayoutOf(dialog_);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->minClientWidth, openingClient_.cx) << "client width after the caller widened the window";
    EXPECT_EQ(layout->minWindowWidth, openingWindow_.cx);
    // The status bar was not told of the wider window during WM_INITDIALOG.
    GrowWindow(dialog_, 100, 50);
    ExpectControlsMovedBy(100, 50, false);
}

// The property atoms: each attach adds them once and each detach deletes them
// once, so none is left behind. Other programs of the same session may hold
// the names for a moment, so this waits a little for them.
TEST(ResizerAtoms, NoneIsLeftAfterTheDialogIsDestroyed)
{
    OpenMainControls();
    for (int round = 0; round < 3; ++round) {
        HWND dialog = ResizerCreateDialogParam(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, DummyProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_NE(GlobalFindAtomW(L"ResizerPointer"), 0) << "added while attached";
        DestroyWindow(dialog);
        Pump();
    }
    bool gone = false;
    for (int wait = 0; wait < 100 && !gone; ++wait) {
        gone = GlobalFindAtomW(L"ResizerPointer") == 0 && GlobalFindAtomW(L"ResizerWindowProc") == 0;
        if (!gone)
            Sleep(50);
    }
    EXPECT_TRUE(gone) << "both atoms deleted";
}

namespace {

// A small dialog built in memory: a caption, two buttons.
std::vector<uint8_t> PlainTemplate(std::vector<uint8_t> firstData)
{
    TemplateDesc desc{0x80C80000 | kTestDsSetFont | DS_MODALFRAME, // WS_POPUP | WS_CAPTION | WS_SYSMENU
                      NameField::Text(u""),
                      NameField::Text(u""),
                      NameField::Text(u"Plain"),
                      u"MS Shell Dlg",
                      {{IDOK, 0x50010000, NameField::Ordinal(0x80), NameField::Text(u"OK"), std::move(firstData)},
                       {IDCANCEL, 0x50010000, NameField::Ordinal(0x80), NameField::Text(u"Cancel"), {}}}};
    return Template_Build(desc);
}

struct PlainSeen {
    LONG_PTR style = 0;
    LONG_PTR dialogProc = 0;
    LONG_PTR windowProc = 0;
    ResizeLayout* layout = nullptr;
};
PlainSeen g_plain;

// Records what the running dialog looks like, then ends it with 77.
INT_PTR CALLBACK PlainProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        PostMessageA(dialog, WM_APP, 0, 0);
        return TRUE;
    case WM_APP:
        g_plain.style = GetWindowLongPtrA(dialog, GWL_STYLE);
        g_plain.dialogProc = GetWindowLongPtrA(dialog, DWLP_DLGPROC);
        g_plain.windowProc = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
        g_plain.layout = ResizerLayoutOf(dialog);
        EndDialog(dialog, 77);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

// Modal dialogs: without a hint (or with six bytes that are no hint) the
// template runs unchanged; with one it becomes resizable.
TEST(ResizerModal, ResizableOnlyWithAHint)
{
    OpenMainControls();
    struct {
        const char* name;
        std::vector<uint8_t> firstData; // for a template built in memory
        bool resource;                  // the main dialog resource instead
        bool resizable;
    } cases[] = {
        {"no creation data", {}, false, false},
        {"six bytes of another version", {0xDE, 0xC0, 0x02, 0x00, 0x0F, 0x00}, false, false},
        {"a hint", Template_Hint(RESIZE_LEFT | RESIZE_TOP), false, true},
        {"the main dialog resource", {}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = PlainTemplate(c.firstData);
        g_plain = {};
        INT_PTR result =
            c.resource ? ResizerDialogBoxParam(Instance(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, PlainProc, 0)
                       : ResizerDialogBoxIndirectParam(Instance(), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                                       nullptr, PlainProc, 0);
        EXPECT_EQ(result, 77) << "the dialog's own result";
        EXPECT_EQ((g_plain.style & WS_THICKFRAME) != 0, c.resizable) << "style " << std::hex << g_plain.style;
        EXPECT_EQ(g_plain.dialogProc, reinterpret_cast<LONG_PTR>(c.resizable ? &ResizerDialogProc : &PlainProc));
        EXPECT_EQ(g_plain.windowProc == reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure), c.resizable);
        EXPECT_EQ(g_plain.layout != nullptr, c.resizable);
    }
}
