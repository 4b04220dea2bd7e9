#include "resizer/DialogTemplate.h"
#include "resizer/ResizeTemplate.h"
#include "resizer/TemplateBytes.h"
#include "support/Memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kPopupCaption = 0x80C00000; // WS_POPUP | WS_CAPTION
constexpr uint32_t kChild = 0x50000000;        // WS_CHILD | WS_VISIBLE
const NameField kNone = NameField::Text(u"");
const NameField kButton = NameField::Ordinal(0x80);
const NameField kStatic = NameField::Ordinal(0x82);

ItemSpec Item(uint32_t id, NameField windowClass, NameField title, std::vector<uint8_t> data)
{
    return {id, kChild, std::move(windowClass), std::move(title), std::move(data)};
}

ItemSpec Button(uint32_t id, std::vector<uint8_t> data)
{
    return Item(id, kButton, NameField::Text(u"OK"), std::move(data));
}

TemplateDesc Dialog(std::vector<ItemSpec> items)
{
    return {kPopupCaption | kTestDsSetFont, kNone, kNone, NameField::Text(u"Dialog"), u"MS Shell Dlg",
            std::move(items)};
}

struct PrepareCase {
    const char* name;
    TemplateDesc source;
    bool prepared;
    std::vector<bool> stripped;             // per control: the copy has no creation data
    std::vector<std::pair<uint32_t, int>> entries; // (id, edges) in template order
};

std::vector<PrepareCase> PrepareCases()
{
    TemplateDesc ordinals = Dialog({Item(5, kStatic, NameField::Ordinal(1), Template_Hint(8))});
    ordinals.menu = NameField::Ordinal(100);
    ordinals.windowClass = NameField::Ordinal(7);
    TemplateDesc stringFields = Dialog({Button(6, Template_Hint(4))});
    stringFields.menu = NameField::Text(u"MENU1");
    stringFields.windowClass = NameField::Text(u"MyClass");
    TemplateDesc noFont = Dialog({Button(6, Template_Hint(4)), Button(7, {})});
    noFont.style = kPopupCaption;
    noFont.title = NameField::Text(u"Dlg");
    noFont.face = u"";

    return {
        {"one hinted control", Dialog({Button(10, Template_Hint(15))}), true, {true}, {{10, 15}}},
        {"no hints", Dialog({Button(10, {}), Button(11, {1, 2})}), false, {}, {}},
        {"no controls", Dialog({}), false, {}, {}},
        {"six bytes with another marker or version are kept",
         Dialog({Button(10, {0xDF, 0xC0, 0x01, 0x00, 0x0F, 0x00}), Button(11, {0xDE, 0xC0, 0x02, 0x00, 0x0F, 0x00}),
                 Button(12, Template_Hint(12))}),
         true, {false, false, true}, {{12, 12}}},
        {"a hint followed by more data is kept",
         Dialog({Button(10, {0xDE, 0xC0, 0x01, 0x00, 0x0F, 0x00, 0x00, 0x00}), Button(11, Template_Hint(14))}), true,
         {false, true}, {{11, 14}}},
        {"hint on id 0xFFFFFFFF is removed but not listed",
         Dialog({Button(0xFFFFFFFF, Template_Hint(15)), Button(12, Template_Hint(10))}), true, {true, true},
         {{12, 10}}},
        {"only a hint on id 0xFFFFFFFF", Dialog({Button(0xFFFFFFFF, Template_Hint(15)), Button(12, {})}), false, {},
         {}},
        {"odd-length strings and creation data",
         Dialog({Item(1, NameField::Text(u"Edit"), NameField::Text(u""), Template_Hint(1)),
                 Item(2, NameField::Text(u"Button"), NameField::Text(u"a"), {7}),
                 Item(3, NameField::Text(u"Static"), NameField::Text(u"ab"), Template_Hint(2)),
                 Item(4, NameField::Text(u"x"), NameField::Text(u"abc"), {1, 2, 3}),
                 Item(5, NameField::Text(u"ListBox"), NameField::Text(u"abcd"), Template_Hint(3))}),
         true, {true, false, true, false, true}, {{1, 1}, {3, 2}, {5, 3}}},
        {"ordinal menu, class and title", ordinals, true, {true}, {{5, 8}}},
        {"string menu and class", stringFields, true, {true}, {{6, 4}}},
        {"no DS_SETFONT", noFont, true, {true, false}, {{6, 4}}},
    };
}

// The copy that preparation should give: the stripped controls without
// creation data, a thick frame added.
std::vector<uint8_t> ExpectedCopy(const PrepareCase& c)
{
    TemplateDesc expected = c.source;
    expected.style |= kTestThickFrame;
    for (size_t i = 0; i < expected.items.size(); ++i) {
        if (c.stripped[i])
            expected.items[i].data.clear();
    }
    return Template_Build(expected);
}

void Release(PreparedTemplate* prepared)
{
    Mem_Free(prepared->bytes);
    ResizeLayout_Destroy(prepared->layout);
}

} // namespace

TEST(ResizerPrepareTemplate, Cases)
{
    for (const PrepareCase& c : PrepareCases()) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> source = Template_Build(c.source);
        std::vector<uint8_t> original = source;
        EXPECT_EQ(DlgTemplate_Measure(source.data(), source.size()), source.size()) << "measured size";

        PreparedTemplate prepared;
        std::memset(&prepared, 0xAB, sizeof(prepared));
        bool ok = ResizerPrepareTemplate(source.data(), source.size(), &prepared);
        EXPECT_EQ(source, original) << "the template itself is not changed";
        ASSERT_EQ(ok, c.prepared);
        if (!ok) {
            EXPECT_EQ(prepared.bytes, nullptr);
            EXPECT_EQ(prepared.size, 0u);
            EXPECT_EQ(prepared.layout, nullptr);
            continue;
        }
        std::vector<uint8_t> copy(prepared.bytes, prepared.bytes + prepared.size);
        EXPECT_EQ(copy, ExpectedCopy(c)) << "prepared copy, byte by byte";

        const ResizeLayout* layout = prepared.layout;
        ASSERT_EQ(layout->entryCount, static_cast<int32_t>(c.entries.size()));
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(layout->entries[i].id, c.entries[i].first) << "entry " << i;
            EXPECT_EQ(int{layout->entries[i].edges}, c.entries[i].second) << "entry " << i;
        }
        EXPECT_EQ(layout->active, 0) << "not attached yet";
        EXPECT_EQ(layout->lastWidth, 0);
        EXPECT_EQ(layout->minWindowWidth, 0);
        Release(&prepared);
    }
}

// Every prefix of a template that ends inside a field (a string without its
// terminator, an ordinal cut in half, creation data cut short) is refused
// without reading past it; the sanitizers watch the reads in the native build.
TEST(ResizerPrepareTemplate, TruncatedTemplatesAreRefused)
{
    TemplateDesc desc = Dialog({Item(1, NameField::Text(u"Edit"), NameField::Text(u"abc"), Template_Hint(1)),
                                Item(2, kStatic, NameField::Ordinal(3), {}),
                                Item(3, kButton, NameField::Text(u"x"), Template_Hint(2)),
                                Item(4, kButton, NameField::Text(u"end"), {1, 2, 3})});
    desc.menu = NameField::Ordinal(9);
    const std::vector<uint8_t> whole = Template_Build(desc, false);
    ASSERT_NE(whole.size() % 4, 0u) << "the template must end unaligned for this test";

    for (size_t length = 0; length < whole.size(); ++length) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        cut.shrink_to_fit();
        PreparedTemplate prepared;
        EXPECT_FALSE(ResizerPrepareTemplate(cut.data(), cut.size(), &prepared)) << "length " << length;
        EXPECT_EQ(DlgTemplate_Measure(cut.data(), cut.size()), 0u) << "length " << length;
    }
    // Without the padding after its last control the template is complete.
    std::vector<uint8_t> exact = whole;
    exact.shrink_to_fit();
    PreparedTemplate prepared;
    ASSERT_TRUE(ResizerPrepareTemplate(exact.data(), exact.size(), &prepared));
    EXPECT_EQ(prepared.layout->entryCount, 2);
    EXPECT_EQ(prepared.size % 4, 0u) << "the copy ends aligned";
    Release(&prepared);
}

// Templates of another form, or whose first control claims more creation
// data than there is, are refused.
TEST(ResizerPrepareTemplate, OtherFormsAndOversizedCreationDataAreRefused)
{
    const std::vector<uint8_t> extended = Template_Build(Dialog({Button(10, Template_Hint(15)), Button(11, {})}));
    DlgTemplateHeader header;
    ASSERT_TRUE(DlgTemplate_ReadHeader(extended.data(), extended.size(), &header));
    DlgTemplateItem first;
    ASSERT_TRUE(DlgTemplate_ReadItem(extended.data(), extended.size(), header.firstItem, &first));
    struct {
        const char* name;
        uint16_t version, signature, extraCount;
    } cases[] = {
        {"old form (style in the first bytes)", 0x0000, 0x80C0, 6},
        {"version 2", 0x0002, 0xFFFF, 6},
        {"no signature", 0x0001, 0x0000, 6},
        {"huge creation data size", 0x0001, 0xFFFF, 0xFFFF},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = extended;
        auto put = [&bytes](size_t at, uint16_t value) {
            bytes[at] = static_cast<uint8_t>(value);
            bytes[at + 1] = static_cast<uint8_t>(value >> 8);
        };
        put(0, c.version);
        put(2, c.signature);
        put(first.extraCountAt, c.extraCount);
        PreparedTemplate prepared;
        EXPECT_FALSE(ResizerPrepareTemplate(bytes.data(), bytes.size(), &prepared)) << c.name;
        EXPECT_EQ(prepared.bytes, nullptr) << c.name;
        EXPECT_EQ(DlgTemplate_Measure(bytes.data(), bytes.size()), 0u) << c.name;
    }
}

TEST(ResizeLayout, AdvanceClampsToTheOpeningSize)
{
    ResizeLayout layout{};
    layout.minClientWidth = layout.lastWidth = 300;
    layout.minClientHeight = layout.lastHeight = 200;
    struct {
        int32_t width, height, dx, dy, lastWidth, lastHeight;
    } steps[] = {
        {400, 250, 100, 50, 400, 250},   // enlarged
        {400, 250, 0, 0, 400, 250},      // same size again
        {250, 150, -100, -50, 300, 200}, // below the opening size: back to it
        {-5, -7, 0, 0, 300, 200},        // nonsense sizes count as the opening size
        {301, 260, 1, 60, 301, 260},
    };
    for (const auto& s : steps) {
        int32_t dx = 99;
        int32_t dy = 99;
        ResizeLayout_Advance(&layout, s.width, s.height, &dx, &dy);
        EXPECT_EQ(dx, s.dx) << "size " << s.width << " x " << s.height;
        EXPECT_EQ(dy, s.dy) << "size " << s.width << " x " << s.height;
        EXPECT_EQ(layout.lastWidth, s.lastWidth);
        EXPECT_EQ(layout.lastHeight, s.lastHeight);
    }
}

TEST(ResizeRect, EdgeFlagsMoveTheirEdges)
{
    struct {
        uint8_t edges;
        ResizeRect expected;
    } cases[] = {
        {0x00, {10, 20, 110, 70}}, {0x01, {110, 20, 110, 70}}, {0x02, {10, 20, 210, 70}},
        {0x04, {10, 70, 110, 70}}, {0x08, {10, 20, 110, 120}}, {0x0A, {10, 20, 210, 120}},
        {0xFF, {110, 70, 210, 120}}, // other bits are ignored
    };
    for (const auto& c : cases) {
        ResizeRect rect{10, 20, 110, 70};
        ResizeRect_Apply(&rect, c.edges, 100, 50);
        EXPECT_EQ(rect.left, c.expected.left) << "edges " << int{c.edges};
        EXPECT_EQ(rect.top, c.expected.top) << "edges " << int{c.edges};
        EXPECT_EQ(rect.right, c.expected.right) << "edges " << int{c.edges};
        EXPECT_EQ(rect.bottom, c.expected.bottom) << "edges " << int{c.edges};
    }
}
