#include "resizer/ResizeTemplate.h"

#include "resizer/DialogTemplate.h"
#include "resources/resource.h"
#include "support/Memory.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kHintSize = 6;

void PutWord(uint8_t* bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutDword(uint8_t* bytes, size_t at, uint32_t value)
{
    PutWord(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
    PutWord(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

} // namespace

bool ResizeHint_Read(const uint8_t* data, size_t size, ResizeHint* hint)
{
    if (size != kHintSize)
        return false;
    hint->marker = DlgTemplate_Word(data, 0);
    hint->version = DlgTemplate_Word(data, 2);
    hint->edges = data[4];
    hint->unused = data[5];
    return hint->marker == RESIZE_HINT_MARKER && hint->version == RESIZE_HINT_VERSION;
}

bool ResizerPrepareTemplate(const void* dialogTemplate, size_t available, PreparedTemplate* prepared)
{
    *prepared = {};
    const auto* source = static_cast<const uint8_t*>(dialogTemplate);
    size_t size = DlgTemplate_Measure(source, available);
    DlgTemplateHeader header;
    if (size == 0 || !DlgTemplate_ReadHeader(source, available, &header) || header.itemCount == 0)
        return false;

    // The copy is never larger than the template: hints are only removed.
    // It starts zeroed so that the padding between controls is 0.
    auto* copy = static_cast<uint8_t*>(Mem_Alloc(size));
    std::memset(copy, 0, size);
    auto* layout = static_cast<ResizeLayout*>(Mem_Alloc(sizeof(ResizeLayout)));
    *layout = {};
    layout->entries = static_cast<ResizeEntry*>(Mem_AllocArray(header.itemCount, sizeof(ResizeEntry)));

    // The header up to the first control goes unchanged (a control follows, so
    // the padding before it lies inside the measured template).
    std::memcpy(copy, source, header.firstItem);
    size_t from = header.firstItem;
    size_t to = header.firstItem;
    for (int i = 0; i < header.itemCount; ++i) {
        DlgTemplateItem item;
        DlgTemplate_ReadItem(source, available, from, &item); // succeeded while measuring
        ResizeHint hint;
        if (ResizeHint_Read(source + item.extraCountAt + 2, item.extraCount, &hint)) {
            size_t kept = item.extraCountAt - item.start; // fixed part, class, title
            std::memcpy(copy + to, source + item.start, kept);
            PutWord(copy, to + kept, 0); // no creation data
            to += kept + 2;
            if (item.id != kResizeNoId)
                layout->entries[layout->entryCount++] = {item.id, hint.edges};
        } else {
            std::memcpy(copy + to, source + item.start, item.end - item.start);
            to += item.end - item.start;
        }
        from = DlgTemplate_Align4(item.end);
        to = DlgTemplate_Align4(to);
    }

    if (layout->entryCount == 0) {
        ResizeLayout_Destroy(layout);
        Mem_Free(copy);
        return false;
    }
    PutDword(copy, kDlgTemplateStyleAt, header.style | kResizeStyleThickFrame);
    prepared->bytes = copy;
    prepared->size = to;
    prepared->layout = layout;
    return true;
}

void ResizeLayout_Destroy(ResizeLayout* layout)
{
    if (!layout)
        return;
    Mem_Free(layout->entries);
    Mem_Free(layout);
}

void ResizeLayout_Advance(ResizeLayout* layout, int32_t width, int32_t height, int32_t* dx, int32_t* dy)
{
    int32_t w = std::max(width, layout->minClientWidth);
    int32_t h = std::max(height, layout->minClientHeight);
    *dx = w - layout->lastWidth;
    *dy = h - layout->lastHeight;
    layout->lastWidth = w;
    layout->lastHeight = h;
}

void ResizeRect_Apply(ResizeRect* rect, uint8_t edges, int32_t dx, int32_t dy)
{
    if (edges & RESIZE_LEFT)
        rect->left += dx;
    if (edges & RESIZE_RIGHT)
        rect->right += dx;
    if (edges & RESIZE_TOP)
        rect->top += dy;
    if (edges & RESIZE_BOTTOM)
        rect->bottom += dy;
}
