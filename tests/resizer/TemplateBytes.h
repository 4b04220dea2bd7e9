// Extended dialog templates built byte by byte for tests, independently of the program's reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct NameField { // a menu, class or title field: an ordinal or a UTF-16 string
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::u16string text;
    static NameField Ordinal(uint16_t value) { return {true, value, {}}; }
    static NameField Text(std::u16string value) { return {false, 0, std::move(value)}; }
};

struct ItemSpec { // at 4, 4, 40 x 12 dialog units
    uint32_t id, style;
    NameField windowClass, title;
    std::vector<uint8_t> data; // creation data
};

struct TemplateDesc { // at 10, 10, 200 x 100 dialog units
    uint32_t style;
    NameField menu, windowClass, title;
    std::u16string face; // written (8 point, normal weight) when style has DS_SETFONT
    std::vector<ItemSpec> items;
};

constexpr uint32_t kTestDsSetFont = 0x40;

// Header and controls, each control 4-byte aligned (zero padding), the last padded unless !alignEnd.
std::vector<uint8_t> Template_Build(const TemplateDesc& desc, bool alignEnd = true);

// The creation data of a layout hint with these edge flags.
std::vector<uint8_t> Template_Hint(uint8_t edges);
