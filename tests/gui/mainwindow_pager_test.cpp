// Set pager (Command1) and delete pager (Command4) from the main window to the simulated host
// unit: each field reaches its byte, each refusal its field; the input edges are the encoders'
// and the replies' rows come from the table of expected commands.

#include "mainwindow_fixture.h"

#include <QtTest>

using namespace mainwindowtests;

namespace {

const QString kSet = "55 55 AA 01 01 0D ";
const QString kSetOk = "notice OK: 设置传呼号成功！";
const QString kSetFailed = "error 错误: 设置传呼号失败!";
const QString kBadPager = "error 错误: 传呼号必须为1-254的数字！";
const QString kBadAddress = "error 错误: 地址码应为7位数字！";

} // namespace

class PagerCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void setPager_data() {
        addCommandColumns();
        QTest::newRow("pager 254") << QStringList{"Text1(0)=254", "Text1(1)=1234567"} << ""
                                   << kSet + "02 36 00 02 00 01 02 03 04 05 06 07 00 9A"
                                   << QStringList{kSetOk} << "Text1(0)";
        QTest::newRow("mode 11, 正, 音调4")
            << QStringList{"Text1(0)=1",   "Text1(1)=7654321", "Combo1(0)=英文",
                           "Combo1(1)=正", "Combo1(2)=2400",   "Combo1(3)=音调4"}
            << "" << kSet + "00 01 01 01 01 07 06 05 04 03 02 01 03 CD" << QStringList{kSetOk}
            << "Text1(0)";

        QTest::newRow("pager 255") << QStringList{"Text1(0)=255", "Text1(1)=12"} << ""
                                   << "" << QStringList{kBadPager} << "Text1(0)";
        QTest::newRow("address 10000000") << QStringList{"Text1(0)=1", "Text1(1)=10000000"} << ""
                                          << "" << QStringList{kBadAddress} << "Text1(1)";
        QTest::newRow("address 12.5") << QStringList{"Text1(0)=1", "Text1(1)=12.5"} << ""
                                      << "" << QStringList{kSetFailed} << "Text1(0)";
    }

    void setPager() { runCommandRow("Command1", 0x01); }

    void deletePager_data() {
        addCommandColumns();
        const QString wire105 = "55 55 AA 01 04 01 69 90";
        const QStringList pager105{"Text4=105"};

        QTest::newRow("deleted 254")
            << QStringList{"Text4=254"} << "data"
            << "55 55 AA 01 04 01 FE FB" << QStringList{"notice OK: 删除传呼号成功！"} << "Text4";
        QTest::newRow("no such pager 105")
            << pager105 << "" << wire105 << QStringList{"notice 注意: 无此传呼号！"} << "Text4";
        QTest::newRow("status 2") << pager105 << "data 02" << wire105
                                  << QStringList{"notice 错误: 返回数据错误"} << "Text4";
        QTest::newRow("255") << QStringList{"Text4=255"} << ""
                             << "" << QStringList{kBadPager} << "Text4";
    }

    void deletePager() { runCommandRow("Command4", 0x04); }
};

QTEST_MAIN(PagerCommandsTest)
#include "mainwindow_pager_test.moc"
