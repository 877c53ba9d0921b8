#include "settings/user_settings_store.h"

#include "platform/holders.h"
#include "settings/document_settings.h"

namespace {

const WCHAR kUserSettingsKey[] = L"Printers\\DevModes2";

}  // namespace

int ReadUserSettings(const WCHAR* valueName, void* destination)
{
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserSettingsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return 0;

    // Read into a scratch record first: a shorter value must not leave a
    // partial record in the caller's buffer. On the stack: a block that
    // could not be had would read as "no settings stored".
    BYTE scratch[kSettingsBytes];
    DWORD type = 0;
    DWORD size = kSettingsBytes;
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, scratch, &size) != ERROR_SUCCESS ||
        size != kSettingsBytes)
        return 0;
    CopyMemory(destination, scratch, kSettingsBytes);
    return 1;
}

DWORD WriteUserSettings(const WCHAR* valueName, const void* settings)
{
    UniqueRegKey key;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, kUserSettingsKey, 0, KEY_WRITE, key.put());
    if (opened == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;   // no store for this user: nothing is kept, by design
    if (opened != ERROR_SUCCESS)
        return static_cast<DWORD>(opened);
    return static_cast<DWORD>(
        RegSetValueExW(key.get(), valueName, 0, REG_BINARY, static_cast<const BYTE*>(settings), kSettingsBytes));
}
