#pragma once
// Keeps what Qt's own dialogs remember out of the user's settings while one of these lives.
// Qt's file dialog reads its last folder and history from the user's "QtProject" settings
// when it is made and writes them when it is destroyed; on Windows those settings are always
// the registry (HKEY_CURRENT_USER\Software\QtProject), whatever settings format the program
// chooses. The tool keeps nothing between runs, so on Windows the current user's registry is
// replaced, for this process and while one lives, by a deleted key, in which nothing
// can be found or made. Elsewhere the settings already go to a folder removed at exit; this
// does nothing there.

namespace callcfg {

class UserSettingsHidden {
public:
    UserSettingsHidden();
    ~UserSettingsHidden();
    UserSettingsHidden(const UserSettingsHidden&) = delete;
    UserSettingsHidden& operator=(const UserSettingsHidden&) = delete;

private:
    void* substitute_ = nullptr; // the key standing in for HKEY_CURRENT_USER (Windows)
};

} // namespace callcfg
