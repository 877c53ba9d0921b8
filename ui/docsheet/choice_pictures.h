// The pictures beside the pages' radio groups: while a row's radio is
// checked, its picture shows one of the row's icons, firstIcon to lastIcon.
// Where a row holds more than one icon, the page picks by what else the
// picture depends on (the orientation, the N-in-1 position).
#ifndef MARTENUI_CHOICE_PICTURES_H
#define MARTENUI_CHOICE_PICTURES_H

#include <windows.h>

struct ChoicePicture {
    int picture;     // static icon control
    int radio;       // the choice it shows
    int firstIcon;   // icons of the resource library
    int lastIcon;
};

// Every row of every page; a page holds the rows whose controls it has.
const ChoicePicture* ChoicePictures(int* count);

// The row of `picture` whose radio is checked on `page`; null when none is.
const ChoicePicture* CheckedChoice(HWND page, int picture);

// Shows the icon `offset` places after the first icon of the checked
// choice's row; with no choice checked the picture stays as it is.
void ShowChoicePicture(HWND page, int picture, int offset = 0);

// Shows icon `iconId` of the resource library in the picture `picture`,
// when the page has it.
void ShowIcon(HWND page, int picture, int iconId);

#endif
