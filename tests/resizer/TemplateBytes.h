// Extended dialog templates built byte by byte for tests, independently of
// the program's own template reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A menu, class or title field: an ordinal or a UTF-16 string.
struct NameField {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::u16string text;

    static NameField Ordinal(uint16_t value) { return {true, value, {}}; }
    static NameField Text(std::u16string value) { return {false, 0, std::move(value)}; }
};

struct ItemSpec {
    uint32_t id;
    uint32_t style;
    NameField windowClass;
    NameField title;
    std::vector<uint8_t> data; // creation data
    int16_t x = 4, y = 4, cx = 40, cy = 12;
};

struct TemplateDesc {
    uint32_t style;
    NameField menu;
    NameField windowClass;
    NameField title;
    std::u16string face; // written (with 8 point, normal weight) when style has DS_SETFONT
    std::vector<ItemSpec> items;
    int16_t cx = 200, cy = 100;
};

constexpr uint32_t kTestDsSetFont = 0x40;
constexpr uint32_t kTestThickFrame = 0x00040000;

// The template: header, then the controls, each starting 4-byte aligned with
// zero padding; the last one is padded to 4 bytes as well unless alignEnd is false.
std::vector<uint8_t> Template_Build(const TemplateDesc& desc, bool alignEnd = true);

// The creation data of a layout hint with these edge flags.
std::vector<uint8_t> Template_Hint(uint8_t edges);
