#include "resizer/TemplateBytes.h"

std::vector<uint8_t> Template_Build(const TemplateDesc& desc, bool alignEnd)
{
    std::vector<uint8_t> out;
    auto words = [&out](std::initializer_list<uint32_t> values) { // 16 bits each, little-endian
        for (uint32_t v : values)
            out.insert(out.end(), {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 8 & 0xFF)});
    };
    auto name = [&words](const NameField& field) {
        if (field.isOrdinal)
            return words({0xFFFF, field.ordinal});
        for (char16_t unit : field.text + u'\0') // with its terminator
            words({unit});
    };
    auto align = [&out] { out.resize((out.size() + 3) / 4 * 4, 0); };
    // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
    words({1, 0xFFFF, 0, 0, 0, 0, desc.style & 0xFFFF, desc.style >> 16});
    words({static_cast<uint32_t>(desc.items.size()), 10, 10, 200, 100});
    for (const NameField* field : {&desc.menu, &desc.windowClass, &desc.title})
        name(*field);
    if (desc.style & kTestDsSetFont) {
        words({8, 400, 0x0100}); // point size, weight, italic 0 and character set 1
        name(NameField::Text(desc.face));
    }
    for (const ItemSpec& item : desc.items) {
        align();
        // helpID, exStyle, style, x, y, cx, cy, id, class, title, creation data
        words({0, 0, 0, 0, item.style & 0xFFFF, item.style >> 16, 4, 4, 40, 12, item.id & 0xFFFF, item.id >> 16});
        name(item.windowClass);
        name(item.title);
        words({static_cast<uint32_t>(item.data.size())});
        out.insert(out.end(), item.data.begin(), item.data.end());
    }
    if (alignEnd)
        align();
    return out;
}

std::vector<uint8_t> Template_Hint(uint8_t edges)
{
    return {0xDE, 0xC0, 0x01, 0x00, edges, 0x00};
}
