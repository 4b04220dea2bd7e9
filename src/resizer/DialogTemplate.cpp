#include "resizer/DialogTemplate.h"

namespace {

constexpr uint16_t kOrdinalMarker = 0xFFFF;

// True when bytes [at, at + count) lie inside the available ones.
bool Fits(size_t available, size_t at, size_t count)
{
    return at <= available && count <= available - at;
}

// Skips a menu, class or title field: an ordinal (0xFFFF and a 16-bit value)
// or a UTF-16 string with its terminator. Sets next to the offset after it.
bool SkipNameField(const uint8_t* bytes, size_t available, size_t at, size_t* next)
{
    if (!Fits(available, at, 2))
        return false;
    if (DlgTemplate_Word(bytes, at) == kOrdinalMarker) {
        if (!Fits(available, at, 4))
            return false;
        *next = at + 4;
        return true;
    }
    while (Fits(available, at, 2)) {
        uint16_t unit = DlgTemplate_Word(bytes, at);
        at += 2;
        if (unit == 0) {
            *next = at;
            return true;
        }
    }
    return false; // no terminator before the end
}

} // namespace

size_t DlgTemplate_Align4(size_t offset)
{
    return (offset + 3) & ~static_cast<size_t>(3);
}

uint16_t DlgTemplate_Word(const uint8_t* bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t DlgTemplate_Dword(const uint8_t* bytes, size_t at)
{
    return static_cast<uint32_t>(DlgTemplate_Word(bytes, at)) |
           static_cast<uint32_t>(DlgTemplate_Word(bytes, at + 2)) << 16;
}

bool DlgTemplate_ReadHeader(const uint8_t* bytes, size_t available, DlgTemplateHeader* header)
{
    if (!Fits(available, 0, kDlgTemplateFixedSize))
        return false;
    if (DlgTemplate_Word(bytes, 0) != 1 || DlgTemplate_Word(bytes, 2) != 0xFFFF)
        return false; // dlgVer, signature: only the extended form
    header->exStyle = DlgTemplate_Dword(bytes, 8);
    header->style = DlgTemplate_Dword(bytes, kDlgTemplateStyleAt);
    header->itemCount = DlgTemplate_Word(bytes, 16);
    header->x = static_cast<int16_t>(DlgTemplate_Word(bytes, 18));
    header->y = static_cast<int16_t>(DlgTemplate_Word(bytes, 20));
    header->cx = static_cast<int16_t>(DlgTemplate_Word(bytes, 22));
    header->cy = static_cast<int16_t>(DlgTemplate_Word(bytes, 24));

    size_t at = kDlgTemplateFixedSize;
    for (int field = 0; field < 3; ++field) { // menu, class, title
        if (!SkipNameField(bytes, available, at, &at))
            return false;
    }
    if (header->style & kDlgStyleSetFont) {
        // point size, weight (16 bits each), italic, character set (8 bits each)
        if (!Fits(available, at, 6))
            return false;
        if (!SkipNameField(bytes, available, at + 6, &at)) // typeface
            return false;
    }
    header->firstItem = DlgTemplate_Align4(at);
    return true;
}

bool DlgTemplate_ReadItem(const uint8_t* bytes, size_t available, size_t start, DlgTemplateItem* item)
{
    if (!Fits(available, start, kDlgItemFixedSize))
        return false;
    item->start = start;
    item->exStyle = DlgTemplate_Dword(bytes, start + 4);
    item->style = DlgTemplate_Dword(bytes, start + 8);
    item->x = static_cast<int16_t>(DlgTemplate_Word(bytes, start + 12));
    item->y = static_cast<int16_t>(DlgTemplate_Word(bytes, start + 14));
    item->cx = static_cast<int16_t>(DlgTemplate_Word(bytes, start + 16));
    item->cy = static_cast<int16_t>(DlgTemplate_Word(bytes, start + 18));
    item->id = DlgTemplate_Dword(bytes, start + 20);

    size_t at = start + kDlgItemFixedSize;
    if (!SkipNameField(bytes, available, at, &at)) // class
        return false;
    if (!SkipNameField(bytes, available, at, &at)) // title
        return false;
    if (!Fits(available, at, 2))
        return false;
    item->extraCountAt = at;
    item->extraCount = DlgTemplate_Word(bytes, at);
    if (!Fits(available, at + 2, item->extraCount))
        return false;
    item->end = at + 2 + item->extraCount;
    return true;
}

size_t DlgTemplate_Measure(const uint8_t* bytes, size_t available)
{
    DlgTemplateHeader header;
    if (!DlgTemplate_ReadHeader(bytes, available, &header))
        return 0;
    size_t at = header.firstItem;
    for (int i = 0; i < header.itemCount; ++i) {
        DlgTemplateItem item;
        if (!DlgTemplate_ReadItem(bytes, available, at, &item))
            return 0;
        at = DlgTemplate_Align4(item.end);
    }
    return at;
}
