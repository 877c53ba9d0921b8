// The user's documents folder, as the shell reports it, moved for a test:
// the shell takes it from the user's shell-folder settings in the registry.
#ifndef MARTENUI_TESTS_DOCUMENTS_FOLDER_H
#define MARTENUI_TESTS_DOCUMENTS_FOLDER_H

#include <windows.h>

#include <string>
#include <vector>

class DocumentsFolderOverride {
public:
    // From now on the shell reports `folder` (which must exist).
    explicit DocumentsFolderOverride(const std::wstring& folder);
    // Puts the user's setting back as it was.
    ~DocumentsFolderOverride();
    DocumentsFolderOverride(const DocumentsFolderOverride&) = delete;
    DocumentsFolderOverride& operator=(const DocumentsFolderOverride&) = delete;

private:
    bool hadValue_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> value_;
};

// The documents folder the shell reports now, or "" when it reports none.
std::wstring DocumentsFolder();

// A folder inside the scratch folder whose full path is exactly `length`
// characters, created with its parents.
std::wstring FolderOfLength(size_t length);

#endif
