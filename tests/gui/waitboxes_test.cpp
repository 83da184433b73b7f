// The wait boxes, the paint-only pump they rely on, and the main window's repaint after sending.

#include "ui/exchangefeedback.h"
#include "ui/waitboxes.h"
#include "ui/windowpainting.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QLabel>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace callcfg;

namespace {

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class WaitBoxesTest : public QObject {
    Q_OBJECT

    WaitBoxes boxes;

    WaitBox* box(const QString& name) {
        if (name == "Form2")
            return &boxes.callerBox();
        return &boxes.urgeBox();
    }

private slots:
    void createdWhenFirstAskedFor() {
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != "Form2" && w->objectName() != "Form4");
        QCOMPARE(&boxes.callerBox(), &boxes.callerBox());
        QCOMPARE(&boxes.urgeBox(), &boxes.urgeBox());
    }

    void layout_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("Form2") << "请按呼叫器的服务键！" << QSize(202, 62) << QRect(0, 14, 217, 32)
                               << "   请按呼叫器的服务键!     ……4秒钟后自动返回……";
        QTest::newRow("Form4") << "Form4" << QSize(217, 62) << QRect(0, 16, 217, 32)
                               << " 请按催菜器的任意键加#键     ……4秒钟后自动返回……";
    }

    void layout() {
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QRect, label);
        QFETCH(QString, text);
        WaitBox* w = box(QTest::currentDataTag());
        QCOMPARE(w->objectName(), QString(QTest::currentDataTag()));
        QVERIFY(w->isWindow());
        QVERIFY(!w->parentWidget());
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->size(), client);
        QCOMPARE(w->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(w->message->objectName(), QString("Label1"));
        QCOMPARE(w->message->geometry(), label);
        QCOMPARE(w->message->text(), text);
        QCOMPARE(w->message->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));

        QCOMPARE(w->message->font().family(), QString("宋体"));
        QCOMPARE(w->message->font().pointSize(), 12);
        QVERIFY(QFontInfo(w->message->font()).family().startsWith("AR PL UMing"));
        // The text wraps to exactly the two lines the label has room for.
        const QFontMetrics metrics(w->message->font());
        const QRect used =
            metrics.boundingRect(QRect(0, 0, label.width(), 1000), Qt::TextWordWrap, text);
        QCOMPARE(used.height(), metrics.lineSpacing() + metrics.height());
        QVERIFY(used.height() <= label.height());
    }

    void caller_box_window_font() {
        const QFont font = boxes.callerBox().font();
        QCOMPARE(font.family(), QString("楷体_GB2312"));
        QCOMPARE(font.pointSize(), 9);
        QVERIFY(QFontInfo(font).family().startsWith("AR PL UKai"));
    }

    void showAndPaintPutsTheBoxOnScreen_data() {
        QTest::addColumn<int>("dummy");
        QTest::newRow("Form2") << 0;
        QTest::newRow("Form4") << 0;
    }

    void showAndPaintPutsTheBoxOnScreen() {
        WaitBox* w = box(QTest::currentDataTag());
        for (int round = 0; round < 2; ++round) { // shown, hidden and shown again
            w->showAndPaint();
            QVERIFY(w->isVisible());
            QVERIFY(w->windowHandle()->isExposed());
            w->hide();
            QVERIFY(!w->isVisible());
        }
    }

    void pumpHoldsTimersBack() {
        int ticks = 0, shots = 0;
        QTimer repeating;
        connect(&repeating, &QTimer::timeout, this, [&] { ++ticks; });
        repeating.start(1);
        QTimer::singleShot(2, this, [&] { ++shots; });
        letWindowsPaint(60);
        QCOMPARE(ticks, 0);
        QCOMPARE(shots, 0);
        // Held back, not lost.
        QTRY_VERIFY(ticks > 0);
        QTRY_COMPARE(shots, 1);
    }

    void pumpDeliversPaints() {
        PaintCounter widget;
        widget.resize(50, 50);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        const int before = widget.paints;
        widget.update();
        letWindowsPaint(50);
        QVERIFY(widget.paints > before);
    }

    // Once a request has left, the main window shows its current state at once: what changed in
    // it is painted before the wait; an unchanged window costs no painting.
    void mainWindowIsBroughtUpToDateAfterSending() {
        QWidget window;
        auto* field = new PaintCounter;
        field->setParent(&window);
        field->resize(40, 20);
        window.resize(100, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        letWindowsPaint(50);
        ExchangeFeedback screen(window);
        const int before = field->paints;
        screen.sent({});
        QCOMPARE(field->paints, before);
        field->update();
        screen.sent({});
        QCOMPARE(field->paints, before + 1);
    }

    void pumpIsBounded() {
        QElapsedTimer clock;
        clock.start();
        letWindowsPaint(2000, [] { return true; });
        QVERIFY(clock.elapsed() < 500);
        clock.restart();
        letWindowsPaint(100, [] { return false; });
        QVERIFY(clock.elapsed() >= 100);
        QVERIFY(clock.elapsed() < 600);
        clock.restart();
        letWindowsPaint(100);
        QVERIFY(clock.elapsed() >= 100);
    }
};

QTEST_MAIN(WaitBoxesTest)
#include "waitboxes_test.moc"
