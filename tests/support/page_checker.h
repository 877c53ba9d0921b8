// The invariants every page of a sheet keeps in every state a user can reach:
// each group of radio buttons (as its template groups them) has exactly one
// checked, enabled or not; each enabled, visible combo box has a selection;
// each picture beside a group shows the picture of the checked choice; and
// the output record is a whole, valid record of this driver.
//
// Each check returns one line per broken invariant, naming the page, the
// control ids and the values; nothing when everything holds.
//
//   EXPECT_SHEET_HOLDS(host, &settings);   // after opening, after each action
#ifndef MARTENUI_TESTS_PAGE_CHECKER_H
#define MARTENUI_TESTS_PAGE_CHECKER_H

#include <windows.h>

#include <string>
#include <vector>

#include "settings/document_settings.h"
#include "support/sheet_host.h"

// Every page dialog the sheet has created so far, and `output` when given
// (the document sheet's output record; null for the printer's sheet).
std::vector<std::string> CheckSheet(SheetHost& host, const DocumentSettings* output);

// One dialog alone (the User Size dialog), named `name` in the findings.
std::vector<std::string> CheckDialog(HWND dialog, const char* name);

// The record alone: dmSize 220, dmDriverExtra 3868, every field within its
// range, texts terminated, dmFields consistent with the fields set. The
// paper is one the platform defines or, with the record's printer, one of
// its model's own papers.
std::vector<std::string> CheckSettingsRecord(const DocumentSettings& settings, HANDLE printer);

// A page's help map (as HELP_WM_HELP hands it over: control, topic pairs)
// against what the user sees together: the radios of one group share one
// topic, and a group box or a label with a mnemonic shares its topic with
// the control after it, the one it names.
std::vector<std::string> CheckHelpTopics(HWND page, const std::vector<DWORD>& pairs, const char* name);
// The topic a help map gives control `id`; 0 when it names none.
DWORD HelpTopicOf(const std::vector<DWORD>& pairs, int id);

// All findings on one line each, for a test's failure message.
std::string JoinFindings(const std::vector<std::string>& findings);

#define EXPECT_SHEET_HOLDS(host, output)                                     \
    do {                                                                     \
        const auto findings_ = CheckSheet((host), (output));                 \
        EXPECT_TRUE(findings_.empty()) << JoinFindings(findings_);           \
    } while (0)

#endif
