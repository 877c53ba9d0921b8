#include "support/profile_files.h"

#include <windows.h>

#include <gtest/gtest.h>

std::wstring ScratchDir()
{
    static std::wstring dir;
    if (dir.empty()) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"martenui-tests-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(dir.c_str(), nullptr);
    }
    return dir;
}

std::wstring WriteProfileFile(const std::wstring& fileName, const std::wstring& text)
{
    const std::wstring path = ScratchDir() + L"\\" + fileName;
    std::wstring content(1, L'\xFEFF');
    for (wchar_t c : text) {
        if (c == L'\n')
            content += L'\r';
        content += c;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << "creating a profile file, error " << GetLastError();
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return path;
}
