// The Statistics dialog template as the resource compiler laid it out.
#include "resources/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A reader over a DLGTEMPLATEEX in memory.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    size_t Offset() const { return pos_; }

    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return Read<short>(); }
    BYTE Byte() { return Read<BYTE>(); }

    // A string or an ordinal (written as "#n").
    std::string StringOrOrdinal()
    {
        WORD first = Word();
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string s;
        for (WORD c = first; ok_ && c != 0; c = Word())
            s += static_cast<char>(c);
        return s;
    }
    std::string String()
    {
        std::string s;
        for (WORD c = Word(); ok_ && c != 0; c = Word())
            s += static_cast<char>(c);
        return s;
    }
    std::vector<BYTE> Bytes(size_t n)
    {
        std::vector<BYTE> v;
        for (size_t i = 0; i < n && ok_; ++i)
            v.push_back(Byte());
        return v;
    }
    void AlignDword() { pos_ = (pos_ + 3) & ~size_t{3}; }

private:
    template <typename T>
    T Read()
    {
        T value{};
        if (pos_ + sizeof(T) > size_) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, data_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }

    const BYTE* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

struct Item {
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    std::string cls;
    std::string text;
    std::vector<BYTE> extra;
};

struct Template {
    DWORD style;
    short cx, cy;
    std::string title;
    WORD point_size;
    std::string font;
    std::vector<Item> items;
};

bool LoadTemplate(int id, Template* out)
{
    HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (!res)
        return false;
    HGLOBAL loaded = LoadResource(nullptr, res);
    auto* data = static_cast<const BYTE*>(LockResource(loaded));
    TemplateReader r(data, SizeofResource(nullptr, res));
    if (r.Word() != 1 || r.Word() != 0xFFFF)
        return false; // not DIALOGEX
    r.Dword(); // help id
    r.Dword(); // extended style
    out->style = r.Dword();
    WORD count = r.Word();
    r.Short();
    r.Short();
    out->cx = r.Short();
    out->cy = r.Short();
    r.StringOrOrdinal(); // menu
    r.StringOrOrdinal(); // class
    out->title = r.String();
    if (out->style & DS_SETFONT) {
        out->point_size = r.Word();
        r.Word();
        r.Byte();
        r.Byte();
        out->font = r.String();
    }
    for (WORD i = 0; i < count && r.Ok(); ++i) {
        r.AlignDword();
        Item item;
        r.Dword(); // help id
        r.Dword(); // extended style
        item.style = r.Dword();
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = r.Dword();
        item.cls = r.StringOrOrdinal();
        item.text = r.StringOrOrdinal();
        WORD extra = r.Word();
        item.extra = r.Bytes(extra);
        out->items.push_back(item);
    }
    return r.Ok();
}

enum Kind { Left, Right, Group, Push };

struct Expected {
    int id;
    Kind kind;
    const char* text;
    short x, y, cx, cy;
};

const Expected kControls[] = {
    {IDC_STAT_TACTIC, Left, "", 8, 4, 148, 8},
    {IDC_STAT_SEASONS, Right, "", 200, 4, 120, 8},
    {IDC_STAT_FOR_GROUP, Group, "Goals scored", 8, 16, 96, 60},
    {IDC_STAT_FOR_AVERAGE_LABEL, Left, "Average:", 16, 28, 40, 8},
    {IDC_STAT_FOR_STDDEV_LABEL, Left, "Std Dev:", 16, 40, 40, 8},
    {IDC_STAT_FOR_MIN_LABEL, Left, "Min:", 16, 52, 40, 8},
    {IDC_STAT_FOR_MAX_LABEL, Left, "Max:", 16, 64, 40, 8},
    {IDC_STAT_FOR_AVERAGE, Right, "", 64, 28, 32, 8},
    {IDC_STAT_FOR_STDDEV, Right, "", 64, 40, 32, 8},
    {IDC_STAT_FOR_MIN, Right, "", 64, 52, 32, 8},
    {IDC_STAT_FOR_MAX, Right, "", 64, 64, 32, 8},
    {IDC_STAT_AGAINST_GROUP, Group, "Goals conceded", 116, 16, 96, 60},
    {IDC_STAT_AGAINST_AVERAGE_LABEL, Left, "Average:", 124, 28, 40, 8},
    {IDC_STAT_AGAINST_STDDEV_LABEL, Left, "Std Dev:", 124, 40, 40, 8},
    {IDC_STAT_AGAINST_MIN_LABEL, Left, "Min:", 124, 52, 40, 8},
    {IDC_STAT_AGAINST_MAX_LABEL, Left, "Max:", 124, 64, 40, 8},
    {IDC_STAT_AGAINST_AVERAGE, Right, "", 172, 28, 32, 8},
    {IDC_STAT_AGAINST_STDDEV, Right, "", 172, 40, 32, 8},
    {IDC_STAT_AGAINST_MIN, Right, "", 172, 52, 32, 8},
    {IDC_STAT_AGAINST_MAX, Right, "", 172, 64, 32, 8},
    {IDC_STAT_POINTS_GROUP, Group, "Points", 224, 16, 96, 60},
    {IDC_STAT_POINTS_AVERAGE_LABEL, Left, "Average:", 232, 28, 40, 8},
    {IDC_STAT_POINTS_STDDEV_LABEL, Left, "Std Dev:", 232, 40, 40, 8},
    {IDC_STAT_POINTS_MIN_LABEL, Left, "Min:", 232, 52, 40, 8},
    {IDC_STAT_POINTS_MAX_LABEL, Left, "Max:", 232, 64, 40, 8},
    {IDC_STAT_POINTS_AVERAGE, Right, "", 280, 28, 32, 8},
    {IDC_STAT_POINTS_STDDEV, Right, "", 280, 40, 32, 8},
    {IDC_STAT_POINTS_MIN, Right, "", 280, 52, 32, 8},
    {IDC_STAT_POINTS_MAX, Right, "", 280, 64, 32, 8},
    {IDC_STAT_WLD_GROUP, Group, "WLD", 8, 224, 212, 20},
    {IDC_STAT_WON_LABEL, Left, "Won:", 16, 232, 24, 8},
    {IDC_STAT_DRAWN_LABEL, Left, "Drawn:", 84, 232, 24, 8},
    {IDC_STAT_LOST_LABEL, Left, "Lost:", 160, 232, 24, 8},
    {IDC_STAT_WON, Right, "", 40, 232, 24, 8},
    {IDC_STAT_DRAWN, Right, "", 116, 232, 24, 8},
    {IDC_STAT_LOST, Right, "", 184, 232, 24, 8},
    {IDC_STAT_CLOSE, Push, "Close", 268, 228, 50, 14},
};

bool IsClass(const std::string& cls, int ordinal, const char* name)
{
    return cls == "#" + std::to_string(ordinal) || _stricmp(cls.c_str(), name) == 0;
}

// The 6-byte layout hint a control carries as creation data.
std::vector<BYTE> Hint(WORD flags)
{
    return {LOBYTE(RESIZE_HINT_MARKER), HIBYTE(RESIZE_HINT_MARKER), LOBYTE(RESIZE_HINT_VERSION),
            HIBYTE(RESIZE_HINT_VERSION), LOBYTE(flags), HIBYTE(flags)};
}

} // namespace

TEST(StatisticsTemplate, DialogFrameCaptionAndFont)
{
    Template t;
    ASSERT_TRUE(LoadTemplate(IDD_STATISTICS, &t)) << "template 11200 is a DIALOGEX resource";
    EXPECT_EQ(t.title, "Statistics");
    EXPECT_EQ(t.cx, 328);
    EXPECT_EQ(t.cy, 250);
    EXPECT_EQ(t.point_size, 8);
    EXPECT_EQ(t.font, "MS Shell Dlg");
    for (DWORD bit : {DWORD{DS_MODALFRAME}, DWORD{WS_POPUP}, DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}})
        EXPECT_EQ(t.style & bit, bit) << "style bit 0x" << std::hex << bit;
    EXPECT_EQ(t.style & WS_THICKFRAME, 0u) << "not resizable";
    EXPECT_EQ(t.items.size(), std::size(kControls)) << "no control more or less";
}

TEST(StatisticsTemplate, ControlsAsTheLayoutGivesThem)
{
    Template t;
    ASSERT_TRUE(LoadTemplate(IDD_STATISTICS, &t));
    for (const Expected& e : kControls) {
        const Item* item = nullptr;
        for (const Item& i : t.items)
            if (i.id == static_cast<DWORD>(e.id))
                item = &i;
        ASSERT_NE(item, nullptr) << "control " << e.id;
        EXPECT_EQ(item->text, e.text) << "control " << e.id;
        EXPECT_EQ(item->x, e.x) << "x of " << e.id;
        EXPECT_EQ(item->y, e.y) << "y of " << e.id;
        EXPECT_EQ(item->cx, e.cx) << "width of " << e.id;
        EXPECT_EQ(item->cy, e.cy) << "height of " << e.id;
        EXPECT_EQ(item->style & WS_VISIBLE, static_cast<DWORD>(WS_VISIBLE)) << "control " << e.id;
        switch (e.kind) {
        case Left:
        case Right:
            EXPECT_TRUE(IsClass(item->cls, 0x82, "STATIC")) << "control " << e.id << " class " << item->cls;
            EXPECT_EQ(item->style & SS_TYPEMASK, static_cast<DWORD>(e.kind == Left ? SS_LEFT : SS_RIGHT))
                << "alignment of " << e.id;
            break;
        case Group:
            EXPECT_TRUE(IsClass(item->cls, 0x80, "BUTTON")) << "control " << e.id << " class " << item->cls;
            EXPECT_EQ(item->style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX)) << "control " << e.id;
            break;
        case Push:
            EXPECT_TRUE(IsClass(item->cls, 0x80, "BUTTON")) << "control " << e.id << " class " << item->cls;
            EXPECT_EQ(item->style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << "control " << e.id;
            break;
        }
    }
}

TEST(StatisticsTemplate, CloseAndWldCarryTheirLayoutHints)
{
    Template t;
    ASSERT_TRUE(LoadTemplate(IDD_STATISTICS, &t));
    for (const Item& item : t.items) {
        if (item.id == IDC_STAT_CLOSE)
            EXPECT_EQ(item.extra, Hint(15)) << "Close: all four edges";
        else if (item.id == IDC_STAT_WLD_GROUP)
            EXPECT_EQ(item.extra, Hint(12)) << "WLD: top and bottom";
        else
            EXPECT_TRUE(item.extra.empty()) << "control " << item.id << " carries no data";
    }
}
