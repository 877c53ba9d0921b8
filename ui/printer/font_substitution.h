// The font substitution table: which printer-resident font the rendering
// side uses in place of a TrueType face. Stored as printer data "FontSubs"
// (REG_BINARY): zero-terminated UTF-16 strings in pairs (TrueType face,
// printer font), ended by an empty string.
#ifndef MARTENUI_FONT_SUBSTITUTION_H
#define MARTENUI_FONT_SUBSTITUTION_H

#include <windows.h>

#include "platform/holders.h"

extern const WCHAR kFontSubsValue[];   // "FontSubs"

// Longest face or font name a row holds, terminator not counted.
constexpr int kFontNameChars = 79;

// One pair of the default table: the face by its string id in the resource
// library, the printer font as a constant.
struct DefaultSubstitute {
    UINT faceStringId;
    const WCHAR* printerFont;
};
constexpr int kDefaultSubstituteCount = 14;
extern const DefaultSubstitute kDefaultFontSubstitutes[kDefaultSubstituteCount];

// A printer-resident font and its family.
struct ResidentFont {
    const WCHAR* faceName;
    const WCHAR* family;
};
constexpr int kResidentFontCount = 45;
extern const ResidentFont kResidentFonts[kResidentFontCount];

// One row as the Font Substitution page lists it.
struct FontSubstitutionRow {
    const WCHAR* face;
    const WCHAR* substitute;
};

// Bytes the default table needs; with `out`, also writes it there, never
// past `capacity` bytes: a string that does not fit whole is left out, with
// all that follow. A face string that cannot be loaded counts as the empty
// name.
DWORD BuildDefaultFontSubs(WCHAR* out, DWORD capacity);

// The default table in a new heap block; empty when a face string is missing
// (no resource library) or memory runs out.
HeapBlock LoadDefaultFontSubs();

// The printer's stored table in a new heap block, or an empty block when it
// has none of type REG_BINARY or it cannot be read. `failure` (may be null)
// gets 0 when the table was read or is absent, else the reason it could not
// be read (ERROR_NOT_ENOUGH_MEMORY when its block could not be had).
HeapBlock ReadFontSubs(HANDLE printer, DWORD* failure = nullptr);

// The printer font of the first pair whose face equals `face` (case-
// sensitive), or null. Never reads past the `bytes` of the table: a table
// without its closing empty string, or with an odd byte count, ends there.
const WCHAR* FindSubstitute(const WCHAR* table, DWORD bytes, const WCHAR* face);

// Bytes of the table of `rows` that substitute something: rows whose
// substitute is `downloadText` ("Download TrueType Fonts") are left out.
// With `out`, also writes it there.
DWORD EncodeFontSubs(const FontSubstitutionRow* rows, int count, const WCHAR* downloadText, WCHAR* out);

#endif
