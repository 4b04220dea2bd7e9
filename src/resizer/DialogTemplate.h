// Reading extended dialog templates (a DLGTEMPLATEEX header followed by
// DLGITEMTEMPLATEEX controls) held as plain bytes, little-endian.
//
// Every function is told how many bytes are available and never reads beyond
// them: a template that would need more is reported as unreadable. Offsets
// count from the template's first byte, and "aligned" means a multiple of 4
// from there (the resource compiler and the dialog manager align controls to
// 4 bytes; templates themselves start 4-byte aligned in memory).
#pragma once

#include <cstddef>
#include <cstdint>

// The fixed header of an extended template and where its controls begin.
struct DlgTemplateHeader {
    uint32_t exStyle;
    uint32_t style;
    uint16_t itemCount; // cDlgItems
    int16_t x, y, cx, cy;
    size_t firstItem;   // aligned offset of the first control
};

// One control of an extended template.
struct DlgTemplateItem {
    size_t start;        // offset of the control's fixed part
    uint32_t exStyle;
    uint32_t style;
    int16_t x, y, cx, cy;
    uint32_t id;
    size_t extraCountAt; // offset of the 16-bit size of the creation data
    uint16_t extraCount; // bytes of creation data right after that field
    size_t end;          // offset just past the creation data (not aligned)
};

// Byte offsets of fields that are rewritten in a copy of a template.
constexpr size_t kDlgTemplateStyleAt = 12;
constexpr size_t kDlgTemplateFixedSize = 26;
constexpr size_t kDlgItemFixedSize = 24;
constexpr uint32_t kDlgStyleSetFont = 0x40; // DS_SETFONT

// The offset rounded up to the next multiple of 4.
size_t DlgTemplate_Align4(size_t offset);

// Little-endian reads from bytes[at]; the caller has checked the bounds.
uint16_t DlgTemplate_Word(const uint8_t* bytes, size_t at);
uint32_t DlgTemplate_Dword(const uint8_t* bytes, size_t at);

// Reads the header of an extended template (dlgVer 1, signature 0xFFFF):
// the fixed part, the menu, class and title fields (each an ordinal
// 0xFFFF + 16 bits or a NUL-terminated UTF-16 string) and, with DS_SETFONT,
// the font. False for any other template or when the header does not fit
// in the available bytes.
bool DlgTemplate_ReadHeader(const uint8_t* bytes, size_t available, DlgTemplateHeader* header);

// Reads the control that starts at offset start: its fixed part, class and
// title fields, the creation-data size and the creation data. False when
// any of it does not fit in the available bytes.
bool DlgTemplate_ReadItem(const uint8_t* bytes, size_t available, size_t start, DlgTemplateItem* item);

// The size of a whole extended template: from its first byte to the aligned
// end of its last control (of its header when it has none). 0 when it is not
// an extended template or any part of it lies beyond the available bytes
// (the padding after the last control is not required to be there).
size_t DlgTemplate_Measure(const uint8_t* bytes, size_t available);
