#include "printer/font_substitution.h"

#include <winspool.h>

#include "entry/driver_files.h"
#include "entry/resource_library.h"
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

// Appends `text` and its terminator at `*at` when writing; counts its units.
DWORD Append(WCHAR* out, DWORD* at, const WCHAR* text)
{
    const DWORD units = static_cast<DWORD>(TextLength(text)) + 1;
    if (out) {
        CopyMemory(out + *at, text, (units - 1) * sizeof(WCHAR));
        out[*at + units - 1] = 0;
    }
    *at += units;
    return units;
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

DWORD BuildDefaultFontSubs(WCHAR* out)
{
    DWORD at = 0;
    for (const DefaultSubstitute& row : kDefaultFontSubstitutes) {
        WCHAR face[kFontNameChars + 1];
        LoadResourceString(row.faceStringId, face, kFontNameChars + 1);
        Append(out, &at, face);
        Append(out, &at, row.printerFont);
    }
    if (out)
        out[at] = 0;
    ++at;
    return at * sizeof(WCHAR);
}

HeapBlock LoadDefaultFontSubs()
{
    DWORD units = 1;
    for (const DefaultSubstitute& row : kDefaultFontSubstitutes) {
        WCHAR face[kFontNameChars + 1];
        const int length = LoadResourceString(row.faceStringId, face, kFontNameChars + 1);
        if (length == 0)
            return HeapBlock();
        units += static_cast<DWORD>(length) + static_cast<DWORD>(TextLength(row.printerFont)) + 2;
    }
    HeapBlock table(units * sizeof(WCHAR));
    if (!table)
        return table;
    WCHAR* out = table.as<WCHAR>();
    DWORD at = 0;
    for (const DefaultSubstitute& row : kDefaultFontSubstitutes) {
        WCHAR face[kFontNameChars + 1];
        if (LoadResourceString(row.faceStringId, face, kFontNameChars + 1) == 0)
            return HeapBlock();
        Append(out, &at, face);
        Append(out, &at, row.printerFont);
    }
    out[at] = 0;
    return table;
}

HeapBlock ReadFontSubs(HANDLE printer)
{
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD status =
        GetPrinterDataW(printer, const_cast<WCHAR*>(kFontSubsValue), &type, nullptr, 0, &needed);
    if ((status != ERROR_SUCCESS && status != ERROR_MORE_DATA) || type != REG_BINARY || needed == 0)
        return HeapBlock();
    HeapBlock table(needed);
    if (!table)
        return table;
    DWORD read = 0;
    if (GetPrinterDataW(printer, const_cast<WCHAR*>(kFontSubsValue), &type, table.as<BYTE>(), needed, &read) !=
        ERROR_SUCCESS)
        return HeapBlock();
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
        if (at + faceUnits < end && lstrcmpW(at, face) == 0)
            return font;
        at = font + fontUnits + 1;
    }
    return nullptr;
}

DWORD EncodeFontSubs(const FontSubstitutionRow* rows, int count, const WCHAR* downloadText, WCHAR* out)
{
    DWORD at = 0;
    for (int i = 0; i < count; ++i) {
        const WCHAR* substitute = rows[i].substitute ? rows[i].substitute : L"";
        if (downloadText && lstrcmpW(substitute, downloadText) == 0)
            continue;
        Append(out, &at, rows[i].face ? rows[i].face : L"");
        Append(out, &at, substitute);
    }
    if (out)
        out[at] = 0;
    ++at;
    return at * sizeof(WCHAR);
}
