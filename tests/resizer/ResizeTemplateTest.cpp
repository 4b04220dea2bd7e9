#include "resizer/DialogTemplate.h"
#include "resizer/ResizeTemplate.h"
#include "resizer/TemplateBytes.h"
#include "support/Memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

const NameField kNone = NameField::Text(u""), kButton = NameField::Ordinal(0x80), kOk = NameField::Text(u"OK");

ItemSpec Control(uint32_t id, std::vector<uint8_t> data, NameField windowClass = kButton, NameField title = kOk)
{
    return {id, 0x50000000, std::move(windowClass), std::move(title), std::move(data)}; // WS_CHILD | WS_VISIBLE
}

TemplateDesc Dialog(std::vector<ItemSpec> items, NameField menu = kNone, NameField windowClass = kNone,
                    uint32_t style = 0x80C00000 | kTestDsSetFont)
{
    return {style, menu, windowClass, NameField::Text(u"Dialog"), u"MS Shell Dlg", std::move(items)};
}

bool Refused(const std::vector<uint8_t>& bytes)
{
    PreparedTemplate prepared;
    return DlgTemplate_Measure(bytes.data(), bytes.size()) == 0 &&
           !ResizerPrepareTemplate(bytes.data(), bytes.size(), &prepared);
}

} // namespace

// The copy has the hints replaced by empty creation data and a thick frame; the layout lists the hinted
// controls with an id; without any, nothing is prepared. Every prefix of a template (ending inside a
// string, an ordinal or creation data) is refused without reading past it, but not the whole template
// without the padding after its last control.
TEST(ResizerPrepareTemplate, Cases)
{
    const auto hint = Template_Hint;
    const auto text = NameField::Text;
    // (id, edges) of the hinted controls in template order; none: the template is refused
    const struct { const char* name; TemplateDesc source; std::vector<std::pair<uint32_t, int>> entries; } cases[] = {
        {"hints among other controls, odd-length strings and data, ordinal menu and class; id 0xFFFFFFFF not listed",
         Dialog({Control(1, hint(1), text(u"Edit"), kNone), Control(2, {1, 2, 3}, text(u"x"), text(u"abc")),
                 Control(~0u, hint(2)), Control(3, hint(15), NameField::Ordinal(0x82), NameField::Ordinal(1))},
                NameField::Ordinal(100), NameField::Ordinal(7)),
         {{1, 1}, {3, 15}}},
        {"another marker or version, or more data, is no hint; string menu and class, no font",
         Dialog({Control(10, {0xDF, 0xC0, 1, 0, 15, 0}), Control(11, {0xDE, 0xC0, 2, 0, 15, 0}),
                 Control(12, {0xDE, 0xC0, 1, 0, 15, 0, 0}), Control(13, hint(12))},
                text(u"MENU1"), text(u"MyClass"), 0x80C00000),
         {{13, 12}}},
        {"a hint only on id 0xFFFFFFFF", Dialog({Control(~0u, hint(15)), Control(12, {1, 2})}), {}},
        {"no controls, an ordinal title last", {0x80C00000, kNone, kNone, NameField::Ordinal(1), u"", {}}, {}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = Template_Build(c.source, false);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            EXPECT_TRUE(Refused({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)}))
                << c.name << ": expected the first " << length << " bytes refused";
            DlgTemplateHeader header;
            std::memset(&header, 0xFF, sizeof header);
            EXPECT_TRUE(!DlgTemplate_ReadHeader(bytes.data(), length, &header) ||
                        header.firstItem <= DlgTemplate_Align4(length))
                << c.name << ": a header read from " << length << " bytes lies within them";
        }
        EXPECT_EQ(DlgTemplate_Measure(bytes.data(), bytes.size()), DlgTemplate_Align4(bytes.size())) << c.name;
        PreparedTemplate prepared;
        std::memset(&prepared, 0xAB, sizeof(prepared));
        bool ok = ResizerPrepareTemplate(bytes.data(), bytes.size(), &prepared);
        if (c.entries.empty()) {
            EXPECT_TRUE(!ok && !prepared.bytes && !prepared.size && !prepared.layout) << c.name << ": expected refused";
            continue;
        }
        ASSERT_TRUE(ok) << c.name;
        TemplateDesc expected = c.source;
        expected.style |= 0x00040000; // WS_THICKFRAME
        for (ItemSpec& item : expected.items)
            if (item.data.size() == 6 && item.data == Template_Hint(item.data[4]))
                item.data.clear();
        EXPECT_EQ(std::vector(prepared.bytes, prepared.bytes + prepared.size), Template_Build(expected)) << c.name;
        std::vector<std::pair<uint32_t, int>> entries;
        for (int i = 0; i < prepared.layout->entryCount; ++i)
            entries.emplace_back(prepared.layout->entries[i].id, prepared.layout->entries[i].edges);
        EXPECT_EQ(entries, c.entries) << c.name;
        EXPECT_EQ(prepared.layout->active | prepared.layout->lastWidth | prepared.layout->minWindowHeight, 0) << c.name;
        Mem_Free(prepared.bytes);
        ResizeLayout_Destroy(prepared.layout);
    }
    for (std::size_t at : {0, 2}) { // templates of another form: version 2, or no signature
        std::vector<uint8_t> other = Template_Build(cases[1].source);
        other[at] ^= 3;
        EXPECT_TRUE(Refused(other)) << "expected refused with byte " << at << " changed";
    }
}
