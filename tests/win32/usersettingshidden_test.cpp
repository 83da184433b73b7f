// Qt's file dialog and the user's registry under Wine: the dialog reads the current user's
// Software\QtProject key when it is built and writes it when it is destroyed, unless a
// UserSettingsHidden stands while it does; the registry is the user's own again after it.

#include "ui/usersettingshidden.h"

#include <QFileDialog>
#include <QtTest>

#include <windows.h>

using namespace callcfg;

namespace {

const wchar_t* const qtProjectKey = L"Software\\QtProject";

bool userKeyExists(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void removeUserKey(const wchar_t* path) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path);
    RegDeleteKeyW(HKEY_CURRENT_USER, path);
}

// A file dialog as the memory reader makes it, used and destroyed, with the settings hidden or not.
void useFileDialog(bool hidden) {
    QFileDialog* dialog = nullptr;
    {
        std::optional<UserSettingsHidden> hiding;
        if (hidden)
            hiding.emplace();
        dialog = new QFileDialog(nullptr, QString(), QDir::currentPath());
        dialog->setOption(QFileDialog::DontUseNativeDialog);
    }
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->selectFile(QStringLiteral("shop.cat"));
    dialog->show();
    QCoreApplication::processEvents();
    dialog->reject();
    std::optional<UserSettingsHidden> hiding;
    if (hidden)
        hiding.emplace();
    delete dialog;
}

} // namespace

class UserSettingsHiddenTest : public QObject {
    Q_OBJECT
private slots:
    void init() { removeUserKey(qtProjectKey); }
    void cleanup() { removeUserKey(qtProjectKey); }

    void dialogLeavesNoKey_data() {
        QTest::addColumn<bool>("hidden");
        // Kept, the dialog makes the key: the check can see the fault it guards against.
        QTest::newRow("settings kept") << false;
        QTest::newRow("settings hidden") << true;
    }
    void dialogLeavesNoKey() {
        QFETCH(bool, hidden);
        useFileDialog(hidden);
        QCOMPARE(userKeyExists(qtProjectKey), !hidden);
        // Nor did it land in the key that stood in for the user's registry.
        HKEY software = nullptr;
        QCOMPARE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &software),
                 LONG(ERROR_SUCCESS));
        wchar_t name[256];
        for (DWORD i = 0, size = 256; RegEnumKeyExW(software, i, name, &size, nullptr, nullptr,
                                                    nullptr, nullptr) == ERROR_SUCCESS;
             ++i, size = 256)
            QVERIFY2(!QString::fromWCharArray(name).startsWith("callcfg"),
                     qPrintable(QString::fromWCharArray(name)));
        RegCloseKey(software);
    }

    // Once the settings are no longer hidden, the current user's registry is the real one again.
    void registryIsTheUsersAfterwards() {
        { const UserSettingsHidden hiding; }
        HKEY key = nullptr;
        QCOMPARE(RegCreateKeyExW(HKEY_CURRENT_USER, qtProjectKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                 &key, nullptr),
                 LONG(ERROR_SUCCESS));
        RegCloseKey(key);
        QVERIFY(userKeyExists(qtProjectKey));
    }
};

QTEST_MAIN(UserSettingsHiddenTest)
#include "usersettingshidden_test.moc"
