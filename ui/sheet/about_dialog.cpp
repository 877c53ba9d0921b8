#include "sheet/about_dialog.h"

#include <winspool.h>

#include "platform/dialog_controls.h"
#include "sheet/sheet_model.h"
#include "sheet/sheet_state.h"
#include "platform/driver_files.h"
#include "platform/holders.h"
#include "platform/resource_library.h"
#include "../resources/resource_ids.h"

namespace {

// The files a driver without its cached profile names.
const WCHAR kBuiltInFiles[kAboutEntryCount][2][kAboutFileChars] = {
    {L"Kolb6.dll", L"7.50"}, {L"Kolb6umd.dll", L"7.50"}, {L"Kolb6g5.dll", L"2.3"},
    {L"Kolb6gi.dll", L"3.8"}, {L"Kolb6g.hlp", L""},      {L"Kolb6g.cnt", L""},
    {L"Kolb6.pdf", L""},      {L"Kolb65.ini", L""},       {L"Rovkdtam.ini", L""},
};
const WCHAR kBuiltInRelease[] = L"Release Date : 2001/11/12";
const UINT kNoticeStrings[kAboutNoticeLines] = {IDS_NOTICE_LINE1, IDS_NOTICE_LINE2, IDS_NOTICE_LINE3,
                                                IDS_ALL_RIGHTS_RESERVED};
constexpr int kAboutTopOffset = 25;
constexpr int kNoticeChars = kAboutNoticeLines * kAboutTextChars;
constexpr int kRowChars = MAX_PATH + 2 * kAboutFileChars + 4;

// The driver path up to and with its last backslash; empty without one.
void DriverDirectory(const DRIVER_INFO_3W* info, WCHAR* directory)
{
    directory[0] = 0;
    if (!info || !info->pDriverPath)
        return;
    const WCHAR* name = FileNamePart(info->pDriverPath);
    if (name == info->pDriverPath)
        return;
    int length = static_cast<int>(name - info->pDriverPath);
    if (length > MAX_PATH - 1)
        length = MAX_PATH - 1;
    CopyMemory(directory, info->pDriverPath, length * sizeof(WCHAR));
    directory[length] = 0;
}

void Append(WCHAR* text, int capacity, const WCHAR* more)
{
    const int used = TextLength(text);
    if (used < capacity - 1)
        BoundedCopy(text + used, more, capacity - used);
}

// Centred over the page, a little below its top edge.
void PlaceDialog(HWND dialog)
{
    RECT parent;
    if (!GetWindowRect(GetParent(dialog), &parent))
        return;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(dialog, &placement))
        return;
    RECT& own = placement.rcNormalPosition;
    const LONG width = own.right - own.left;
    const LONG height = own.bottom - own.top;
    own.left = parent.left + ((parent.right - parent.left) - width) / 2;
    own.top = parent.top + kAboutTopOffset;
    own.right = own.left + width;
    own.bottom = own.top + height;
    placement.showCmd = SW_SHOWNORMAL;
    SetWindowPlacement(dialog, &placement);
}

void FillControls(HWND dialog, const AboutData& data)
{
    SetWindowTextW(dialog, data.caption);
    SetDlgItemTextW(dialog, IDC_ABOUT_TITLE, data.title);
    WCHAR notice[kNoticeChars] = L"";
    for (int line = 0; line < kAboutNoticeLines; ++line) {
        if (line)
            Append(notice, kNoticeChars, L"\n");
        Append(notice, kNoticeChars, data.notice[line]);
    }
    SetDlgItemTextW(dialog, IDC_ABOUT_NOTICE, notice);
    SendControlMessage(dialog, IDC_ABOUT_FILES, LB_RESETCONTENT, 0, 0);
    if (data.driverInfo && data.driverInfo->pName)
        SetDlgItemTextW(dialog, IDC_ABOUT_MODEL, data.driverInfo->pName);
    for (int row = 0; row < kAboutEntryCount; ++row) {
        WCHAR text[kRowChars];
        AboutFileRow(data, row, text, kRowChars);
        SendControlMessage(dialog, IDC_ABOUT_FILES, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(text));
    }
    SetDlgItemTextW(dialog, IDC_ABOUT_RELEASE, data.driverVariant == 1 ? data.releaseVariant1 : data.release);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        RememberControlsOf(dialog);
        PlaceDialog(dialog);
        FillControls(dialog, *reinterpret_cast<const AboutData*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_OK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        ForgetControlsOf(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void FillAboutData(const ModelProfile& profile, bool cached, AboutData* data)
{
    LoadResourceString(IDS_ABOUT_CAPTION, data->caption, kAboutCaptionChars);
    LoadResourceString(IDS_PRODUCT_TITLE, data->title, kAboutTextChars);
    for (int line = 0; line < kAboutNoticeLines; ++line)
        LoadResourceString(kNoticeStrings[line], data->notice[line], kAboutTextChars);
    LoadResourceString(IDS_RELEASE_DATE_V1, data->releaseVariant1, kAboutTextChars);
    DriverDirectory(data->driverInfo, data->directory);
    for (int row = 0; row < kAboutEntryCount; ++row) {
        BoundedCopy(data->fileNames[row], kBuiltInFiles[row][0], kAboutFileChars);
        BoundedCopy(data->versions[row], kBuiltInFiles[row][1], kAboutFileChars);
    }
    BoundedCopy(data->release, kBuiltInRelease, kAboutTextChars);

    // The model's own list, empty entries included, when the printer caches
    // its profile; the variant comes from the cache or the profile file.
    if (cached) {
        for (int row = 0; row < kAboutEntryCount; ++row) {
            BoundedCopy(data->fileNames[row], profile.dependencies[row], kAboutFileChars);
            BoundedCopy(data->versions[row], profile.versions[row], kAboutFileChars);
        }
        BoundedCopy(data->release, profile.timestamp, kAboutTextChars);
    }
    data->driverVariant = profile.driverVariant;
}

void AboutFileRow(const AboutData& data, int row, WCHAR* text, int capacity)
{
    if (!text || capacity < 1)
        return;
    text[0] = 0;
    if (row < 0 || row >= kAboutEntryCount)
        return;
    Append(text, capacity, data.directory);
    Append(text, capacity, data.fileNames[row]);
    if (data.versions[row][0]) {
        Append(text, capacity, L" : ");
        Append(text, capacity, data.versions[row]);
    }
}

void ShowAboutDialog(HWND page)
{
    const SheetState* state = PageSheetState(page);
    if (!state || !state->printer)
        return;
    const SheetFacts& facts = SheetFactsOf(state);
    HeapBlock block(sizeof(AboutData));
    if (!block)
        return;
    AboutData& data = *block.as<AboutData>();
    const bool hasInfo = facts.driverInfo.size() >= sizeof(DRIVER_INFO_3W);
    data.driverInfo = hasInfo ? facts.driverInfo.as<DRIVER_INFO_3W>() : nullptr;
    FillAboutData(facts.profile, facts.profileCached, &data);
    const int templateId = data.driverVariant == 1 ? IDD_ABOUT_V1 : IDD_ABOUT;
    ResourceLibraryHold library;
    library.Take();
    DialogBoxParamW(library.module(), MAKEINTRESOURCEW(templateId), page, AboutProc,
                    reinterpret_cast<LPARAM>(&data));
}
