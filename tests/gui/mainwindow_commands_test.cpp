// Every command of the main window and the caller windows end to end against what the installer
// is to see: the request its button sends, the box and focus after each kind of reply and
// failure, and each field's binding and refusal. A new command is covered by its row in the
// table of expected commands.

#include "mainwindow_fixture.h"

#include <QtTest>

using namespace mainwindowtests;

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void everyCommand_data() {
        addCommandColumns();
        QTest::addColumn<int>("index");
        const auto& requests = testsupport::windowRequests();
        for (std::size_t i = 0; i < requests.size(); ++i)
            addExpectedRows(requests[i], int(i));
    }

    void everyCommand() {
        QFETCH(int, index);
        runCommandRow(testsupport::windowRequests().at(index));
    }
};

QTEST_MAIN(MainWindowCommandsTest)
#include "mainwindow_commands_test.moc"
