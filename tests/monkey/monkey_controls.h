// A user's hands on a live dialog: the controls a user can act on, found by
// walking the dialog's child windows, and the messages a click, a choice,
// typed text or an up-down click send. Also a snapshot of what every
// control shows, for comparing two openings of the same page.
#ifndef MARTENUI_TESTS_MONKEY_CONTROLS_H
#define MARTENUI_TESTS_MONKEY_CONTROLS_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A small, fast generator: the same seed gives the same run.
struct MonkeyRandom {
    uint64_t state;
    uint64_t Next();
    int Below(int count);   // 0 .. count-1; 0 when count <= 0
    bool Chance(int percent) { return Below(100) < percent; }
};

enum class ControlKind { PushButton, CheckBox, Radio, Combo, ListBox, ListView, Edit, UpDown, Other };

struct LiveControl {
    HWND window;
    int id;
    ControlKind kind;
};

// The direct child controls of `dialog` that are visible and enabled, of the
// kinds a user acts on (read-only edits left out).
std::vector<LiveControl> UsableControls(HWND dialog);

const char* KindName(ControlKind kind);

// What a user's action did, for the log and the failure report.
std::string Describe(const LiveControl& control);

void ClickControl(HWND control);
void ChooseItem(const LiveControl& control, int item);
int ItemCount(const LiveControl& control);
// Selects everything in the edit and types `text` key by key (`paste` false)
// or replaces it at once, as a paste does (`paste` true).
void TypeText(HWND edit, const std::wstring& text, bool paste);
// A mouse click on the upper (or right) half when `up`, else the lower half.
void ClickUpDown(HWND updown, bool up);

// Texts worth typing into `edit`: empty, the limits of its up-down and one
// past them, numbers too big for 16 bits, non-digits and a very long text.
std::vector<std::wstring> TextsFor(HWND dialog, HWND edit);

// Every check state, combo and list selection and edit text of `dialog`,
// one entry per control: "id=value".
std::vector<std::string> Snapshot(HWND dialog);
// The entries that differ between two snapshots, one line each.
std::vector<std::string> CompareSnapshots(const std::vector<std::string>& before,
                                          const std::vector<std::string>& after, const std::string& where);

#endif
