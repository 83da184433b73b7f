#include "ui/usersettingshidden.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#endif

namespace callcfg {

#ifdef _WIN32
UserSettingsHidden::UserSettingsHidden() {
    // A key made for the moment and deleted at once, its handle kept: a deleted key holds
    // nothing and no key can be made under it. Made volatile, it never reaches the disk.
    const std::wstring name =
        L"Software\\callcfg settings shield " + std::to_wstring(GetCurrentProcessId());
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_READ,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    if (RegDeleteKeyW(HKEY_CURRENT_USER, name.c_str()) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, key) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return;
    }
    substitute_ = key;
}

UserSettingsHidden::~UserSettingsHidden() {
    if (substitute_ == nullptr)
        return;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(static_cast<HKEY>(substitute_));
}
#else
UserSettingsHidden::UserSettingsHidden() = default;
UserSettingsHidden::~UserSettingsHidden() = default;
#endif

} // namespace callcfg
