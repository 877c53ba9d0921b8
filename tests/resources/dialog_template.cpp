#include "dialog_template.h"

#include <cstring>

namespace {

class Reader {
public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }

    template <typename T>
    T Take()
    {
        T value{};
        if (offset_ + sizeof(T) > size_) {
            ok_ = false;
            return value;
        }
        memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    std::wstring String()
    {
        std::wstring text;
        for (WCHAR ch = Take<WCHAR>(); ok_ && ch; ch = Take<WCHAR>())
            text += ch;
        return text;
    }

    // A name or an ordinal: 0 = none, 0xFFFF = ordinal follows, else text.
    void NameOrOrdinal(std::wstring* text, int* ordinal)
    {
        const WORD first = Take<WORD>();
        *ordinal = -1;
        if (first == 0xFFFF) {
            *ordinal = Take<WORD>();
        } else if (first != 0) {
            offset_ -= sizeof(WORD);
            *text = String();
        }
    }

    void Skip(size_t count) { offset_ += count; }
    void AlignTo(size_t bytes) { offset_ = (offset_ + bytes - 1) / bytes * bytes; }

private:
    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};

std::wstring PredefinedClass(int atom)
{
    switch (atom) {
    case 0x80: return L"Button";
    case 0x81: return L"Edit";
    case 0x82: return L"Static";
    case 0x83: return L"ListBox";
    case 0x84: return L"ScrollBar";
    case 0x85: return L"ComboBox";
    default: return L"#" + std::to_wstring(atom);
    }
}

}  // namespace

DialogTemplate ReadDialogTemplate(HMODULE library, int id, LANGID language)
{
    DialogTemplate result;
    HRSRC found = FindResourceExW(library, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(id), language);
    if (!found)
        return result;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(library, found)));
    Reader in(data, SizeofResource(library, found));

    if (in.Take<WORD>() != 1 || in.Take<WORD>() != 0xFFFF)
        return result;
    in.Take<DWORD>();  // help id
    result.exStyle = in.Take<DWORD>();
    result.style = in.Take<DWORD>();
    const WORD count = in.Take<WORD>();
    result.x = in.Take<short>();
    result.y = in.Take<short>();
    result.cx = in.Take<short>();
    result.cy = in.Take<short>();
    std::wstring name;
    int ordinal;
    in.NameOrOrdinal(&name, &ordinal);  // menu
    in.NameOrOrdinal(&name, &ordinal);  // window class
    result.title = in.String();
    if (result.style & (DS_SETFONT | DS_SHELLFONT)) {
        result.pointSize = in.Take<WORD>();
        in.Take<WORD>();  // weight
        in.Take<BYTE>();  // italic
        in.Take<BYTE>();  // character set
        result.typeface = in.String();
    }
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.AlignTo(4);
        TemplateItem item;
        in.Take<DWORD>();  // help id
        item.exStyle = in.Take<DWORD>();
        item.style = in.Take<DWORD>();
        item.x = in.Take<short>();
        item.y = in.Take<short>();
        item.cx = in.Take<short>();
        item.cy = in.Take<short>();
        item.id = in.Take<int>();
        int atom;
        in.NameOrOrdinal(&item.className, &atom);
        if (atom >= 0)
            item.className = PredefinedClass(atom);
        in.NameOrOrdinal(&item.text, &item.textOrdinal);
        in.Skip(in.Take<WORD>());  // creation data
        result.items.push_back(item);
    }
    result.valid = in.ok();
    return result;
}
