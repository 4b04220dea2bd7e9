#include "resizer/TemplateBytes.h"

namespace {

class Writer {
public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
    void Byte(uint8_t value) { out_.push_back(value); }
    void Word(uint16_t value)
    {
        Byte(static_cast<uint8_t>(value & 0xFF));
        Byte(static_cast<uint8_t>(value >> 8));
    }
    void Dword(uint32_t value)
    {
        Word(static_cast<uint16_t>(value & 0xFFFF));
        Word(static_cast<uint16_t>(value >> 16));
    }
    void Name(const NameField& field)
    {
        if (field.isOrdinal) {
            Word(0xFFFF);
            Word(field.ordinal);
            return;
        }
        for (char16_t unit : field.text)
            Word(static_cast<uint16_t>(unit));
        Word(0);
    }
    void Align()
    {
        while (out_.size() % 4 != 0)
            Byte(0);
    }

private:
    std::vector<uint8_t>& out_;
};

} // namespace

std::vector<uint8_t> Template_Build(const TemplateDesc& desc, bool alignEnd)
{
    std::vector<uint8_t> bytes;
    Writer w(bytes);
    w.Word(1);      // dlgVer
    w.Word(0xFFFF); // signature
    w.Dword(0);     // helpID
    w.Dword(0);     // exStyle
    w.Dword(desc.style);
    w.Word(static_cast<uint16_t>(desc.items.size()));
    w.Word(10); // x
    w.Word(10); // y
    w.Word(static_cast<uint16_t>(desc.cx));
    w.Word(static_cast<uint16_t>(desc.cy));
    w.Name(desc.menu);
    w.Name(desc.windowClass);
    w.Name(desc.title);
    if (desc.style & kTestDsSetFont) {
        w.Word(8);   // point size
        w.Word(400); // weight
        w.Byte(0);   // italic
        w.Byte(1);   // character set
        w.Name(NameField::Text(desc.face));
    }
    for (const ItemSpec& item : desc.items) {
        w.Align();
        w.Dword(0); // helpID
        w.Dword(0); // exStyle
        w.Dword(item.style);
        w.Word(static_cast<uint16_t>(item.x));
        w.Word(static_cast<uint16_t>(item.y));
        w.Word(static_cast<uint16_t>(item.cx));
        w.Word(static_cast<uint16_t>(item.cy));
        w.Dword(item.id);
        w.Name(item.windowClass);
        w.Name(item.title);
        w.Word(static_cast<uint16_t>(item.data.size()));
        for (uint8_t b : item.data)
            w.Byte(b);
    }
    if (alignEnd)
        w.Align();
    return bytes;
}

std::vector<uint8_t> Template_Hint(uint8_t edges)
{
    return {0xDE, 0xC0, 0x01, 0x00, edges, 0x00};
}
