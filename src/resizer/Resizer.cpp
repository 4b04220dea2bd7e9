#include "resizer/Resizer.h"

#include "support/Memory.h"

namespace {

// Window properties of an attached dialog, keyed by global atoms of these
// names: the window procedure in place before the resizer, and the layout.
const wchar_t kPreviousProcName[] = L"ResizerWindowProc";
const wchar_t kLayoutName[] = L"ResizerPointer";

struct ResizerState {
    ResizeLayout* pending; // prepared, waiting for its dialog's WM_INITDIALOG; owner: this slot
    DLGPROC callerProc;    // the procedure of the dialog opened through the resizer
    ATOM previousProcAtom; // property atoms; each attach adds them, each detach deletes them
    ATOM layoutAtom;
};

ResizerState g_resizer = {};

// An atom as a property name (MinGW has no MAKEINTATOMA).
LPCSTR AtomName(ATOM atom)
{
    return reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(atom));
}

WNDPROC PreviousProcOf(HWND dialog)
{
    if (!g_resizer.previousProcAtom)
        return nullptr;
    return reinterpret_cast<WNDPROC>(GetPropA(dialog, AtomName(g_resizer.previousProcAtom)));
}

LRESULT CallPrevious(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = PreviousProcOf(dialog);
    if (!previous) // only when someone else took our procedure's place and we left
        return DefDlgProcA(dialog, message, wParam, lParam);
    return CallWindowProcA(previous, dialog, message, wParam, lParam);
}

// Installs ResizerWindowProcedure on the dialog with its properties and takes
// the opening sizes. On failure nothing is changed and the caller keeps the
// layout; on success the window owns it until WM_DESTROY.
bool Attach(HWND dialog, ResizeLayout* layout)
{
    ATOM previousProcAtom = GlobalAddAtomW(kPreviousProcName);
    ATOM layoutAtom = GlobalAddAtomW(kLayoutName);

    RECT window{};
    RECT client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    layout->minWindowWidth = window.right - window.left;
    layout->minWindowHeight = window.bottom - window.top;
    layout->minClientWidth = client.right - client.left;
    layout->minClientHeight = client.bottom - client.top;
    layout->lastWidth = layout->minClientWidth;
    layout->lastHeight = layout->minClientHeight;
    layout->active = 1;

    // The properties go first: once our procedure is in place it relies on them.
    auto previous = reinterpret_cast<HANDLE>(GetWindowLongPtrA(dialog, GWLP_WNDPROC));
    bool stored = previousProcAtom && layoutAtom && SetPropA(dialog, AtomName(previousProcAtom), previous) &&
                  SetPropA(dialog, AtomName(layoutAtom), layout) &&
                  GetPropA(dialog, AtomName(previousProcAtom)) && GetPropA(dialog, AtomName(layoutAtom));
    if (!stored) {
        layout->active = 0;
        if (previousProcAtom) {
            RemovePropA(dialog, AtomName(previousProcAtom));
            GlobalDeleteAtom(previousProcAtom);
        }
        if (layoutAtom) {
            RemovePropA(dialog, AtomName(layoutAtom));
            GlobalDeleteAtom(layoutAtom);
        }
        return false;
    }
    g_resizer.previousProcAtom = previousProcAtom;
    g_resizer.layoutAtom = layoutAtom;
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure));
    return true;
}

// Takes the resizer off the dialog: properties, window procedure, layout,
// atoms. All of it is undone before the caller sees WM_DESTROY, so nothing
// that the caller does then can reach a released layout.
LRESULT OnDestroy(HWND dialog)
{
    WNDPROC previous = PreviousProcOf(dialog);
    ResizeLayout* layout = ResizerLayoutOf(dialog);
    RemovePropA(dialog, AtomName(g_resizer.layoutAtom));
    // Put the previous procedure back unless someone subclassed after us.
    if (previous && GetWindowLongPtrA(dialog, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ResizerWindowProcedure))
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(dialog, AtomName(g_resizer.previousProcAtom));
    ResizeLayout_Destroy(layout);
    GlobalDeleteAtom(g_resizer.previousProcAtom);
    GlobalDeleteAtom(g_resizer.layoutAtom);
    if (previous)
        CallWindowProcA(previous, dialog, WM_DESTROY, 0, 0);
    else
        DefDlgProcA(dialog, WM_DESTROY, 0, 0);
    return 0;
}

// Moves the hinted controls by the change of the client size since the last
// layout; sizes below the opening size count as the opening size.
void LayOut(HWND dialog, int width, int height)
{
    ResizeLayout* layout = ResizerLayoutOf(dialog);
    if (!layout || !layout->active)
        return;
    HDWP defer = BeginDeferWindowPos(layout->entryCount);
    if (!defer)
        return; // the next size change makes up the whole difference
    int32_t dx = 0;
    int32_t dy = 0;
    ResizeLayout_Advance(layout, width, height, &dx, &dy);
    for (int32_t i = 0; i < layout->entryCount && defer; ++i) {
        const ResizeEntry& entry = layout->entries[i];
        HWND control = GetDlgItem(dialog, static_cast<int>(entry.id));
        if (!control)
            continue;
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        ResizeRect rect{r.left, r.top, r.right, r.bottom};
        ResizeRect_Apply(&rect, entry.edges, dx, dy);
        defer = DeferWindowPos(defer, control, nullptr, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, SWP_NOZORDER);
    }
    if (!defer || !EndDeferWindowPos(defer) || (dx == 0 && dy == 0))
        return;
    // The dialog has no WS_CLIPCHILDREN: erasing the area that the larger
    // window uncovers paints over controls that have just moved into it, and
    // a moved control whose bits were copied does not paint again (nor does
    // the list's header). So the whole dialog paints afresh after a change.
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT OnGetMinMaxInfo(HWND dialog, LPARAM lParam)
{
    ResizeLayout* layout = ResizerLayoutOf(dialog);
    if (layout && layout->active) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = layout->minWindowWidth;
        info->ptMinTrackSize.y = layout->minWindowHeight;
    }
    return 0;
}

LRESULT OnSize(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    CallPrevious(dialog, WM_SIZE, wParam, lParam);
    if (wParam != SIZE_MINIMIZED) {
        LayOut(dialog, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        RECT grip = ResizerGripRect(dialog);
        InvalidateRect(dialog, &grip, TRUE);
    }
    return 0;
}

LRESULT OnEraseBackground(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallPrevious(dialog, WM_ERASEBKGND, wParam, lParam);
    RECT grip = ResizerGripRect(dialog);
    DrawFrameControl(reinterpret_cast<HDC>(wParam), &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    return result;
}

// The grip answers for the triangle below its rising diagonal, the diagonal
// itself excluded.
LRESULT OnHitTest(HWND dialog, LPARAM lParam)
{
    int x = static_cast<short>(LOWORD(lParam));
    int y = static_cast<short>(HIWORD(lParam));
    RECT grip = ResizerGripRect(dialog);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&grip), 2);
    int dx = x - grip.left;
    int dy = y - grip.top;
    if (dx >= 1 && dy >= 1 && grip.right - grip.left < dx + dy)
        return HTBOTTOMRIGHT;
    return CallPrevious(dialog, WM_NCHITTEST, 0, lParam);
}

LRESULT OnExitSizeMove(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallPrevious(dialog, WM_EXITSIZEMOVE, wParam, lParam);
    RECT grip = ResizerGripRect(dialog);
    InvalidateRect(dialog, &grip, FALSE);
    return result;
}

// Prepares the template and parks its layout and the caller's procedure for
// ResizerDialogProc. Returns the copy to open (release it with EndPrepared),
// or null when the template is to run unchanged.
uint8_t* BeginPrepared(const void* dialogTemplate, size_t available, DLGPROC dialogProc)
{
    PreparedTemplate prepared;
    if (!ResizerPrepareTemplate(dialogTemplate, available, &prepared))
        return nullptr;
    ResizeLayout_Destroy(g_resizer.pending);
    g_resizer.pending = prepared.layout;
    g_resizer.callerProc = dialogProc;
    return prepared.bytes;
}

// A dialog that failed before its WM_INITDIALOG leaves its layout pending.
void EndPrepared(uint8_t* copy)
{
    ResizeLayout_Destroy(g_resizer.pending);
    g_resizer.pending = nullptr;
    Mem_Free(copy);
}

INT_PTR DialogBoxSized(HINSTANCE instance, const void* dialogTemplate, size_t available, HWND parent,
                       DLGPROC dialogProc, LPARAM initParam)
{
    uint8_t* copy = BeginPrepared(dialogTemplate, available, dialogProc);
    if (!copy)
        return DialogBoxIndirectParamA(instance, static_cast<LPCDLGTEMPLATEA>(dialogTemplate), parent, dialogProc,
                                       initParam);
    INT_PTR result = DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy), parent,
                                             &ResizerDialogProc, initParam);
    EndPrepared(copy);
    return result;
}

HWND CreateDialogSized(HINSTANCE instance, const void* dialogTemplate, size_t available, HWND parent,
                       DLGPROC dialogProc, LPARAM initParam)
{
    uint8_t* copy = BeginPrepared(dialogTemplate, available, dialogProc);
    if (!copy)
        return CreateDialogIndirectParamA(instance, static_cast<LPCDLGTEMPLATEA>(dialogTemplate), parent,
                                          dialogProc, initParam);
    HWND dialog = CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy), parent,
                                             &ResizerDialogProc, initParam);
    EndPrepared(copy);
    return dialog;
}

// The bytes of a dialog template resource and their number.
bool FindDialogTemplate(HINSTANCE instance, LPCSTR name, const void** bytes, size_t* size)
{
    HRSRC resource = FindResourceA(instance, name, reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!resource)
        return false;
    HGLOBAL loaded = LoadResource(instance, resource);
    if (!loaded)
        return false;
    *bytes = LockResource(loaded);
    *size = SizeofResource(instance, resource);
    return *bytes != nullptr;
}

} // namespace

INT_PTR ResizerDialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                              LPARAM initParam)
{
    const void* bytes = nullptr;
    size_t size = 0;
    if (!FindDialogTemplate(instance, templateName, &bytes, &size))
        return DialogBoxParamA(instance, templateName, parent, dialogProc, initParam);
    return DialogBoxSized(instance, bytes, size, parent, dialogProc, initParam);
}

INT_PTR ResizerDialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                      DLGPROC dialogProc, LPARAM initParam)
{
    return DialogBoxSized(instance, dialogTemplate, kResizerTemplateLimit, parent, dialogProc, initParam);
}

HWND ResizerCreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                              LPARAM initParam)
{
    const void* bytes = nullptr;
    size_t size = 0;
    if (!FindDialogTemplate(instance, templateName, &bytes, &size))
        return CreateDialogParamA(instance, templateName, parent, dialogProc, initParam);
    return CreateDialogSized(instance, bytes, size, parent, dialogProc, initParam);
}

HWND ResizerCreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                      DLGPROC dialogProc, LPARAM initParam)
{
    return CreateDialogSized(instance, dialogTemplate, kResizerTemplateLimit, parent, dialogProc, initParam);
}

INT_PTR CALLBACK ResizerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    DLGPROC caller = g_resizer.callerProc;
    INT_PTR result = caller ? caller(dialog, message, wParam, lParam) : FALSE;
    if (message == WM_INITDIALOG && g_resizer.pending) {
        ResizeLayout* layout = g_resizer.pending;
        g_resizer.pending = nullptr;
        // The caller may have closed the window in its WM_INITDIALOG.
        if (!IsWindow(dialog) || !Attach(dialog, layout))
            ResizeLayout_Destroy(layout);
    }
    return result;
}

LRESULT CALLBACK ResizerWindowProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(dialog, lParam);
    case WM_SIZE:
        return OnSize(dialog, wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(dialog, wParam, lParam);
    case WM_NCHITTEST:
        return OnHitTest(dialog, lParam);
    case WM_EXITSIZEMOVE:
        return OnExitSizeMove(dialog, wParam, lParam);
    case WM_DESTROY:
        return OnDestroy(dialog);
    default:
        return CallPrevious(dialog, message, wParam, lParam);
    }
}

RECT ResizerGripRect(HWND dialog)
{
    RECT grip{};
    GetClientRect(dialog, &grip);
    int side = GetSystemMetrics(SM_CXVSCROLL);
    grip.left = grip.right - side;
    grip.top = grip.bottom - side;
    return grip;
}

ResizeLayout* ResizerLayoutOf(HWND dialog)
{
    if (!g_resizer.layoutAtom)
        return nullptr;
    return static_cast<ResizeLayout*>(GetPropA(dialog, AtomName(g_resizer.layoutAtom)));
}
