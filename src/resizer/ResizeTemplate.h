// Layout hints in dialog templates, and the preparation of a template for a
// resizable dialog: the hints are taken out of a copy of the template and
// collected into a ResizeLayout that the window side (Resizer.h) applies.
//
// A control follows the dialog's size when its creation data is exactly the
// 6 bytes of a ResizeHint: marker RESIZE_HINT_MARKER, version
// RESIZE_HINT_VERSION, edge flags, one unused byte (resources/resource.h).
#pragma once

#include <cstddef>
#include <cstdint>

// The creation data of a control that follows the dialog's size.
struct ResizeHint {
    uint16_t marker;  // RESIZE_HINT_MARKER
    uint16_t version; // RESIZE_HINT_VERSION
    uint8_t edges;    // RESIZE_LEFT | RESIZE_RIGHT | RESIZE_TOP | RESIZE_BOTTOM; other bits ignored
    uint8_t unused;
};

// One hinted control: its id and the edges that follow the size.
struct ResizeEntry {
    uint32_t id;
    uint8_t edges;
};

// The layout of one resizable dialog.
struct ResizeLayout {
    ResizeEntry* entries;    // hinted controls in template order; room for one per control
    int32_t entryCount;      // entries in use
    int32_t lastWidth;       // client size at the last layout
    int32_t lastHeight;
    int32_t minClientWidth;  // client size when the layout was attached
    int32_t minClientHeight;
    int32_t minWindowWidth;  // outer window size when the layout was attached
    int32_t minWindowHeight;
    int32_t active;          // 1 once attached to its window
};

// A template prepared for the resizer.
struct PreparedTemplate {
    uint8_t* bytes;       // the copy without hints; owner: the caller, Mem_Free
    size_t size;          // bytes in the copy
    ResizeLayout* layout; // owner: the caller until attached; ResizeLayout_Destroy
};

// A rectangle of a control in its dialog's client coordinates.
struct ResizeRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

constexpr uint32_t kResizeStyleThickFrame = 0x00040000; // WS_THICKFRAME
constexpr uint32_t kResizeNoId = 0xFFFFFFFF;           // a control without id is never laid out

// True when the creation data (size bytes) is a layout hint; fills hint.
bool ResizeHint_Read(const uint8_t* data, size_t size, ResizeHint* hint);

// Prepares an extended dialog template of at most `available` readable bytes.
// The copy has the same controls in the same order, every hint replaced by
// empty creation data and WS_THICKFRAME added to the dialog's style; the
// layout lists the hinted controls (not those with id kResizeNoId), with all
// sizes 0 and not active. Other creation data is copied unchanged.
// Returns false, with prepared zeroed, when nothing is to be prepared: not an
// extended template, a template that does not fit in `available`, or no
// control with a hint and an id.
bool ResizerPrepareTemplate(const void* dialogTemplate, size_t available, PreparedTemplate* prepared);

// Releases the layout and its entries; null is ignored.
void ResizeLayout_Destroy(ResizeLayout* layout);

// Takes a new client size: clamps it to the minimum client size, sets dx and
// dy to the change since the last layout and remembers the clamped size.
void ResizeLayout_Advance(ResizeLayout* layout, int32_t width, int32_t height, int32_t* dx, int32_t* dy);

// Moves the edges named in `edges`: left and right by dx, top and bottom by dy.
void ResizeRect_Apply(ResizeRect* rect, uint8_t edges, int32_t dx, int32_t dy);
