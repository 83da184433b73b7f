// Every command of the main window end to end against what the installer is to see: the request its
// button sends, and the box and focus after each kind of reply and failure. A new command is
// covered by its row in the table of expected commands; the tests of each frame add its own inputs.

#include "mainwindow_fixture.h"

#include <QtTest>

using namespace mainwindowtests;

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void everyCommand_data() {
        addCommandColumns();
        QTest::addColumn<int>("index");
        const auto& requests = testsupport::mainWindowRequests();
        for (std::size_t i = 0; i < requests.size(); ++i)
            addExpectedRows(requests[i], int(i));
    }

    void everyCommand() {
        QFETCH(int, index);
        const testsupport::ExpectedRequest& r = testsupport::mainWindowRequests().at(index);
        runCommandRow(QLatin1String(r.button), r.command->code,
                      QString(r.command->waitBox).section(' ', 0, 0));
    }
};

QTEST_MAIN(MainWindowCommandsTest)
#include "mainwindow_commands_test.moc"
