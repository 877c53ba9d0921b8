#include "support/documents_folder.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "support/profile_files.h"

namespace {

const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const wchar_t kDocuments[] = L"Personal";

}  // namespace

DocumentsFolderOverride::DocumentsFolderOverride(const std::wstring& folder)
{
    HKEY key = nullptr;
    const LONG opened = RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                        nullptr, &key, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, opened) << "opening the shell-folder settings";
    if (opened != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExW(key, kDocuments, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        value_.resize(size);
        hadValue_ = RegQueryValueExW(key, kDocuments, nullptr, &type_, value_.data(), &size) == ERROR_SUCCESS;
    }
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, kDocuments, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                            static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))));
    RegCloseKey(key);
}

DocumentsFolderOverride::~DocumentsFolderOverride()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    if (hadValue_)
        RegSetValueExW(key, kDocuments, 0, type_, value_.data(), static_cast<DWORD>(value_.size()));
    else
        RegDeleteValueW(key, kDocuments);
    RegCloseKey(key);
}

std::wstring DocumentsFolder()
{
    WCHAR folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return std::wstring();
    return folder;
}

std::wstring FolderOfLength(size_t length)
{
    std::wstring folder = ScratchDir();
    EXPECT_LT(folder.size() + 2, length) << "the scratch folder is longer than the folder asked for";
    while (folder.size() < length) {
        // Parts of at most 60 characters, the last one filling the length
        // (never empty).
        const size_t rest = length - folder.size() - 1;
        const size_t part = rest <= 60 ? rest : (rest - 60 >= 2 ? 60 : rest - 2);
        folder += L'\\' + std::wstring(part, L'd');
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    EXPECT_EQ(length, folder.size());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.c_str())) << "creating the folder";
    return folder;
}
