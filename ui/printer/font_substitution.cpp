#include "printer/font_substitution.h"

#include <winspool.h>

#include "platform/driver_files.h"
#include "platform/resource_library.h"
#include "../resources/resource_ids.h"

const WCHAR kFontSubsValue[] = L"FontSubs";

const DefaultSubstitute kDefaultFontSubstitutes[kDefaultSubstituteCount] = {
    {IDS_FACE_ARIAL, L"Swiss721SWM"},
    {IDS_FACE_ARIAL_BOLD, L"Swiss721SWM Bold"},
    {IDS_FACE_ARIAL_BOLD_ITALIC, L"Swiss721SWM BoldItalic"},
    {IDS_FACE_ARIAL_ITALIC, L"Swiss721SWM Italic"},
    {IDS_FACE_COURIER_NEW, L"CourierSWC"},
    {IDS_FACE_COURIER_NEW_BOLD, L"CourierSWC Bold"},
    {IDS_FACE_COURIER_NEW_BOLD_ITALIC, L"CourierSWC Bold Italic"},
    {IDS_FACE_COURIER_NEW_ITALIC, L"CourierSWC Italic"},
    {IDS_FACE_TIMES, L"Dutch801SWM"},
    {IDS_FACE_TIMES_BOLD, L"Dutch801SWM Bold"},
    {IDS_FACE_TIMES_BOLD_ITALIC, L"Dutch801SWM BoldItalic"},
    {IDS_FACE_TIMES_ITALIC, L"Dutch801SWM Italic"},
    {IDS_FACE_SYMBOL, L"Symbol Set SWA"},
    {IDS_FACE_WINGDINGS, L"MoreWingBatsSWM"},
};

const ResidentFont kResidentFonts[kResidentFontCount] = {
    {L"AudreyTwoSWC", L"AudreyTwoSWC"},
    {L"ClarendonCnSWC Bold", L"ClarendonCnSWC"},
    {L"CourierSWC", L"CourierSWC"},
    {L"CourierSWC Bold", L"CourierSWC"},
    {L"CourierSWC Bold Italic", L"CourierSWC"},
    {L"CourierSWC Italic", L"CourierSWC"},
    {L"Dutch801SWC", L"Dutch801SWC"},
    {L"Dutch801SWC Bold", L"Dutch801SWC"},
    {L"Dutch801SWC BoldItalic", L"Dutch801SWC"},
    {L"Dutch801SWC Italic", L"Dutch801SWC"},
    {L"Dutch801SWM", L"Dutch801SWM"},
    {L"Dutch801SWM Bold", L"Dutch801SWM"},
    {L"Dutch801SWM BoldItalic", L"Dutch801SWM"},
    {L"Dutch801SWM Italic", L"Dutch801SWM"},
    {L"Flareserif821SWC", L"Flareserif821SWC"},
    {L"Flareserif821XbdSWC Bold", L"Flareserif821XbdSWC"},
    {L"Incised901SWC", L"Incised901SWC"},
    {L"Incised901SWC Bold", L"Incised901SWC"},
    {L"Incised901SWC Italic", L"Incised901SWC"},
    {L"LetterGothicSWC", L"LetterGothicSWC"},
    {L"LetterGothicSWC Bold", L"LetterGothicSWC"},
    {L"LetterGothicSWC Italic", L"LetterGothicSWC"},
    {L"MoreWingBatsSWM", L"MoreWingBatsSWM"},
    {L"OriginalGaramondSWC", L"OriginalGaramondSWC"},
    {L"OriginalGaramondSWC Bold", L"OriginalGaramondSWC"},
    {L"OriginalGaramondSWC BoldItalic", L"OriginalGaramondSWC"},
    {L"OriginalGaramondSWC Italic", L"OriginalGaramondSWC"},
    {L"Ribbon131SWC Italic", L"Ribbon131SWC"},
    {L"Swiss721SWM", L"Swiss721SWM"},
    {L"Swiss721SWM Bold", L"Swiss721SWM"},
    {L"Swiss721SWM Bold Italic", L"Swiss721SWM"},
    {L"Swiss721SWM Italic", L"Swiss721SWM"},
    {L"Swiss742CnSWC", L"Swiss742CnSWC"},
    {L"Swiss742CnSWC Bold", L"Swiss742CnSWC"},
    {L"Swiss742CnSWC BoldItalic", L"Swiss742CnSWC"},
    {L"Swiss742CnSWC Italic", L"Swiss742CnSWC"},
    {L"Swiss742SWC", L"Swiss742SWC"},
    {L"Swiss742SWC BoldItalic", L"Swiss742SWC"},
    {L"Swiss742SWC Bold", L"Swiss742SWC"},
    {L"Swiss742SWC Italic", L"Swiss742SWC"},
    {L"Symbol Set SWA", L"Symbol Set SWA"},
    {L"ZapfHumanist601SWC", L"ZapfHumanist601SWC"},
    {L"ZapfHumanist601SWC Bold", L"ZapfHumanist601SWC"},
    {L"ZapfHumanist601SWC BoldItalic", L"ZapfHumanist601SWC"},
    {L"ZapfHumanist601SWC Italic", L"ZapfHumanist601SWC"},
};

namespace {

// A table being written into `out` of `capacity` units (none when `out` is
// null): every string is counted, and written only while it fits whole.
struct TableText {
    WCHAR* out;
    DWORD capacity;
    DWORD at;
    bool fits;
};

void Append(TableText* table, const WCHAR* text)
{
    const DWORD units = static_cast<DWORD>(TextLength(text)) + 1;
    if (table->out && table->fits && table->at + units <= table->capacity) {
        CopyMemory(table->out + table->at, text, (units - 1) * sizeof(WCHAR));
        table->out[table->at + units - 1] = 0;
    } else {
        table->fits = false;
    }
    table->at += units;
}

// Writes the default table into `out` (capacity in units) as far as it fits;
// returns the units it needs. `complete` says whether every face loaded.
DWORD WriteDefaultTable(WCHAR* out, DWORD capacity, bool* fits, bool* complete)
{
    TableText table = {out, out ? capacity : 0, 0, true};
    *complete = true;
    for (const DefaultSubstitute& row : kDefaultFontSubstitutes) {
        WCHAR face[kFontNameChars + 1];
        if (LoadResourceString(row.faceStringId, face, kFontNameChars + 1) == 0)
            *complete = false;
        Append(&table, face);
        Append(&table, row.printerFont);
    }
    Append(&table, L"");
    *fits = table.fits;
    return table.at;
}

// Exactly the same units: face names are compared ordinally, never by the
// user's collation.
bool SameName(const WCHAR* a, const WCHAR* b)
{
    return CompareStringOrdinal(a, -1, b, -1, FALSE) == CSTR_EQUAL;
}

// Length of the string at `text`, stopping at `end`.
DWORD BoundedUnits(const WCHAR* text, const WCHAR* end)
{
    DWORD units = 0;
    while (text + units < end && text[units])
        ++units;
    return units;
}

}  // namespace

DWORD BuildDefaultFontSubs(WCHAR* out, DWORD capacity)
{
    bool fits = false;
    bool complete = false;
    const DWORD units = WriteDefaultTable(out, capacity / sizeof(WCHAR), &fits, &complete);
    return units * sizeof(WCHAR);
}

HeapBlock LoadDefaultFontSubs()
{
    bool fits = false;
    bool complete = false;
    const DWORD units = WriteDefaultTable(nullptr, 0, &fits, &complete);
    if (!complete)
        return HeapBlock();
    HeapBlock table(units * sizeof(WCHAR));
    if (!table)
        return table;
    // The strings may have changed since the sizing pass: a table that no
    // longer fits its block, or lost a face, is not handed out.
    const DWORD filled = WriteDefaultTable(table.as<WCHAR>(), units, &fits, &complete);
    if (!fits || !complete || filled != units)
        return HeapBlock();
    return table;
}

HeapBlock ReadFontSubs(HANDLE printer, DWORD* failure)
{
    DWORD ignored = 0;
    DWORD& reason = failure ? *failure : ignored;
    reason = 0;
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD status =
        GetPrinterDataW(printer, const_cast<WCHAR*>(kFontSubsValue), &type, nullptr, 0, &needed);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
        if (status != ERROR_FILE_NOT_FOUND)
            reason = status;
        return HeapBlock();
    }
    if (type != REG_BINARY || needed == 0)
        return HeapBlock();
    HeapBlock table(needed);
    if (!table) {
        reason = ERROR_NOT_ENOUGH_MEMORY;
        return table;
    }
    DWORD read = 0;
    const DWORD second =
        GetPrinterDataW(printer, const_cast<WCHAR*>(kFontSubsValue), &type, table.as<BYTE>(), needed, &read);
    if (second != ERROR_SUCCESS) {
        // Gone between the two calls is absent; anything else is a failure.
        if (second != ERROR_FILE_NOT_FOUND)
            reason = second;
        return HeapBlock();
    }
    return table;
}

const WCHAR* FindSubstitute(const WCHAR* table, DWORD bytes, const WCHAR* face)
{
    if (!table || !face)
        return nullptr;
    const WCHAR* const end = table + bytes / sizeof(WCHAR);
    const WCHAR* at = table;
    while (at < end && *at) {
        const DWORD faceUnits = BoundedUnits(at, end);
        const WCHAR* font = at + faceUnits + 1;
        if (font >= end)
            return nullptr;
        const DWORD fontUnits = BoundedUnits(font, end);
        if (font + fontUnits >= end)
            return nullptr;   // the printer font runs to the end unterminated
        if (at + faceUnits < end && SameName(at, face))
            return font;
        at = font + fontUnits + 1;
    }
    return nullptr;
}

DWORD EncodeFontSubs(const FontSubstitutionRow* rows, int count, const WCHAR* downloadText, WCHAR* out)
{
    // The caller sizes `out` with a first pass over the same rows.
    TableText table = {out, out ? 0xFFFFFFFFu : 0, 0, true};
    for (int i = 0; i < count; ++i) {
        const WCHAR* substitute = rows[i].substitute ? rows[i].substitute : L"";
        if (downloadText && SameName(substitute, downloadText))
            continue;
        Append(&table, rows[i].face ? rows[i].face : L"");
        Append(&table, substitute);
    }
    Append(&table, L"");
    return table.at * sizeof(WCHAR);
}
