#include "docsheet/choice_pictures.h"

#include "platform/dialog_controls.h"
#include "platform/resource_library.h"
#include "../resources/resource_ids.h"

namespace {

const ChoicePicture kChoicePictures[] = {
    // Paper/Layout: the icons of each orientation and each N-in-1 choice
    // run portrait first, then landscape, each by position pattern.
    {IDC_LAYOUT_ORIENT_ICON, IDC_LAYOUT_PORTRAIT, IDI_ORIENT_PORTRAIT, IDI_ORIENT_PORTRAIT},
    {IDC_LAYOUT_ORIENT_ICON, IDC_LAYOUT_LANDSCAPE, IDI_ORIENT_LANDSCAPE, IDI_ORIENT_LANDSCAPE},
    {IDC_LAYOUT_NUP_ICON, IDC_LAYOUT_NUP_1IN1, IDI_NUP1_PORTRAIT, IDI_NUP1_LANDSCAPE},
    {IDC_LAYOUT_NUP_ICON, IDC_LAYOUT_NUP_2IN1, IDI_NUP2_12_LANDSCAPE, IDI_NUP2_21_PORTRAIT},
    {IDC_LAYOUT_NUP_ICON, IDC_LAYOUT_NUP_4IN1, IDI_NUP4_1234_PORTRAIT, IDI_NUP4_3142_LANDSCAPE},
    // Handling. Normal order lands the pages face up, so the stack reads
    // 3-2-1 from the top; reverse order reads 1-2-3. The flipping icons run
    // landscape, then portrait.
    {IDC_HANDLING_SORTER_ICON, IDC_HANDLING_STACK, IDI_SORTER_STACK, IDI_SORTER_STACK},
    {IDC_HANDLING_SORTER_ICON, IDC_HANDLING_SORT, IDI_SORTER_SORT, IDI_SORTER_SORT},
    {IDC_HANDLING_ORDER_ICON, IDC_HANDLING_ORDER_NORMAL, IDI_ORDER_REVERSE, IDI_ORDER_REVERSE},
    {IDC_HANDLING_ORDER_ICON, IDC_HANDLING_ORDER_REVERSE, IDI_ORDER_FORWARD, IDI_ORDER_FORWARD},
    {IDC_HANDLING_FLIP_ICON, IDC_HANDLING_LONG_EDGE, IDI_FLIP_LONG_LANDSCAPE, IDI_FLIP_LONG_PORTRAIT},
    {IDC_HANDLING_FLIP_ICON, IDC_HANDLING_SHORT_EDGE, IDI_FLIP_SHORT_LANDSCAPE, IDI_FLIP_SHORT_PORTRAIT},
    {IDC_HANDLING_MARGIN_ICON, IDC_HANDLING_MARGIN_YES, IDI_MARGIN_ON, IDI_MARGIN_ON},
    {IDC_HANDLING_MARGIN_ICON, IDC_HANDLING_MARGIN_NO, IDI_MARGIN_OFF, IDI_MARGIN_OFF},
};

}  // namespace

const ChoicePicture* ChoicePictures(int* count)
{
    *count = ARRAYSIZE(kChoicePictures);
    return kChoicePictures;
}

const ChoicePicture* CheckedChoice(HWND page, int picture)
{
    for (const ChoicePicture& row : kChoicePictures) {
        if (row.picture == picture && Checked(page, row.radio))
            return &row;
    }
    return nullptr;
}

void ShowChoicePicture(HWND page, int picture, int offset)
{
    const ChoicePicture* row = CheckedChoice(page, picture);
    if (!row)
        return;
    int icon = row->firstIcon + offset;
    if (icon > row->lastIcon)
        icon = row->firstIcon;
    ShowIcon(page, picture, icon);
}

void ShowIcon(HWND page, int picture, int iconId)
{
    HWND control = DialogControl(page, picture);
    if (!control)
        return;
    // Setting an icon resizes the picture to it, which costs as much as
    // loading it: a picture that already shows it is left alone.
    HICON icon = LoadResourceIcon(iconId);
    if (reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0)) != icon)
        SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}
