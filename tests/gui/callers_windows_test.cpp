// The caller windows as the installer meets them: opened from the main window, their
// controls and initial state, a layout without clipped or overlapping controls, and one
// instance each that keeps its state while open and starts afresh once closed.

#include "callers/callerwindows.h"
#include "callers/handheldcallerwindow.h"
#include "callers/voicepromptwindow.h"
#include "endtoend.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using testsupport::EndToEnd;

namespace {

const QStringList phrases{"取消",    "服务",  "需要服务", "点菜",    "加水", "酒水",
                          "茶水",    "买单",  "饮料",     "呼叫",    "紧急", "找您",
                          "Service", "Drink", "Bill",     "Callsfor"};
const QStringList places{"厨房", "总台", "服务台"};

// One control: its class, caption (or current text) and list.
struct Expected {
    const char* name;
    const char* className;
    QString text;
    QStringList items{};
};

} // namespace

Q_DECLARE_METATYPE(Expected)

namespace {

QWidget* visibleWindow(const QString& name) {
    QWidget* found = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == name && window->isVisible()) {
            if (found)
                return nullptr; // a second instance
            found = window;
        }
    return found;
}

} // namespace

class CallersWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EndToEnd> e2e;

    QPushButton* opener(const QString& window) {
        return window == "form5" ? e2e->mainWindow().voicePromptsButton
                                 : e2e->mainWindow().handheldButton;
    }

    QWidget* open(const QString& name) {
        opener(name)->click();
        QWidget* window = visibleWindow(name);
        if (window && !QTest::qWaitForWindowActive(window))
            qWarning("%s did not become active", qPrintable(name));
        return window;
    }

private slots:
    void init() { e2e = std::make_unique<EndToEnd>(); }
    void cleanup() { e2e.reset(); }

    void controls_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client"); // pixels, from twips at 15 per pixel
        QTest::addColumn<QList<Expected>>("expected");

        QTest::newRow("form5")
            << "form5"
            << "语音提示类型设置" << QSize(365, 186)
            << QList<Expected>{{"Label1", "QLabel", "数字号码"},
                               {"Combo1", "QComboBox", "中文发音", {"中文发音", "英文发音"}},
                               {"Label2", "QLabel", "呼叫发起人"},
                               {"Combo2",
                                "QComboBox",
                                "桌",
                                {"号", "桌", "餐桌", "厅", "餐厅", "房", "包房", "床", "Table"}},
                               {"Label4", "QLabel", "按键提示语"},
                               {"Label3", "QLabel", "1键："},
                               {"Combo3", "QComboBox", "点菜", phrases},
                               {"Label5", "QLabel", "2键："},
                               {"Combo4", "QComboBox", "加水", phrases},
                               {"Label6", "QLabel", "3键："},
                               {"Combo5", "QComboBox", "买单", phrases},
                               {"Check1", "QCheckBox", ""},
                               {"Check2", "QCheckBox", ""},
                               {"Command1", "QPushButton", "写入"}};
        QTest::newRow("Form6") << "Form6"
                               << "手持呼叫器设置" << QSize(372, 198)
                               << QList<Expected>{{"Frame1", "QGroupBox", "餐桌号方式"},
                                                  {"Combo1", "QComboBox", "厨房", places},
                                                  {"Label3", "QLabel", "找您取（去）**桌"},
                                                  {"Command1", "QPushButton", "写入"},
                                                  {"Frame2", "QGroupBox", "传呼号方式"},
                                                  {"Combo2", "QComboBox", "总台", places},
                                                  {"Label1", "QLabel", "找您取（去）**桌"},
                                                  {"Command2", "QPushButton", "写入"}};
    }

    void controls() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QList<Expected>, expected);
        QWidget* w = open(window);
        QVERIFY(w);
        QVERIFY(w->isWindow());
        QCOMPARE(w->windowModality(), Qt::NonModal);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->size(), client);
        for (const Expected& e : expected) {
            QWidget* control = w->findChild<QWidget*>(e.name);
            QVERIFY2(control, e.name);
            QCOMPARE(control->metaObject()->className(), e.className);
            QVERIFY2(control->isVisible(), e.name);
            if (auto* label = qobject_cast<QLabel*>(control))
                QCOMPARE(label->text(), e.text);
            if (auto* button = qobject_cast<QPushButton*>(control))
                QCOMPARE(button->text(), e.text);
            if (auto* frame = qobject_cast<QGroupBox*>(control))
                QCOMPARE(frame->title(), e.text);
            if (auto* box = qobject_cast<QCheckBox*>(control)) {
                QCOMPARE(box->text(), e.text);
                QVERIFY2(box->isChecked(), e.name);
            }
            if (auto* list = qobject_cast<QComboBox*>(control)) {
                QVERIFY(list->isEditable());
                QStringList items;
                for (int i = 0; i < list->count(); ++i)
                    items << list->itemText(i);
                QCOMPARE(items, e.items);
                QCOMPARE(list->currentText(), e.text);
            }
        }
        // Form6: each frame holds its own list, text and button, the table frame above.
        if (window == "Form6") {
            for (const char* name : {"Combo1", "Label3", "Command1"})
                QCOMPARE(w->findChild<QWidget*>(name)->parentWidget()->objectName(), "Frame1");
            for (const char* name : {"Combo2", "Label1", "Command2"})
                QCOMPARE(w->findChild<QWidget*>(name)->parentWidget()->objectName(), "Frame2");
            QVERIFY(w->findChild<QWidget*>("Frame1")->geometry().bottom() <
                    w->findChild<QWidget*>("Frame2")->geometry().top());
        }
    }

    // Every control lies inside its parent, no two neighbours overlap and no caption is cut.
    void layoutClean_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("form5") << "form5";
        QTest::newRow("Form6") << "Form6";
    }

    void layoutClean() {
        QFETCH(QString, window);
        QWidget* w = open(window);
        QVERIFY(w);
        QList<QWidget*> parents{w};
        for (QGroupBox* frame : w->findChildren<QGroupBox*>())
            parents << frame;
        for (QWidget* parent : parents) {
            const QList<QWidget*> controls =
                parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
            for (QWidget* a : controls) {
                if (a->objectName().isEmpty() || !a->isVisible())
                    continue;
                QVERIFY2(parent->rect().contains(a->geometry()), qPrintable(a->objectName()));
                if (auto* label = qobject_cast<QLabel*>(a))
                    QVERIFY2(label->sizeHint().width() <= a->width(), qPrintable(a->objectName()));
                if (auto* button = qobject_cast<QPushButton*>(a))
                    QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 16 <=
                                 a->width(),
                             qPrintable(a->objectName()));
                for (QWidget* b : controls)
                    if (a != b && !b->objectName().isEmpty() && b->isVisible())
                        QVERIFY2(!a->geometry().intersects(b->geometry()),
                                 qPrintable(a->objectName() + " / " + b->objectName()));
            }
        }
    }

    void oneInstance_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("form5") << "form5"
                               << "Combo4"
                               << "加水"
                               << "Drink";
        QTest::newRow("Form6") << "Form6"
                               << "Combo2"
                               << "总台"
                               << "服务台";
    }

    void oneInstance() {
        QFETCH(QString, window);
        QFETCH(QString, list);
        QFETCH(QString, initial);
        QFETCH(QString, chosen);

        QPointer<QWidget> first = open(window);
        QVERIFY(first);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        auto* combo = first->findChild<QComboBox*>(list);
        combo->setCurrentIndex(combo->findText(chosen));
        if (auto* box = first->findChild<QCheckBox*>("Check1"))
            box->setChecked(false);

        // The main window stays usable; a second click brings the same window forward.
        e2e->mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e2e->mainWindow()));
        opener(window)->click();
        QTRY_COMPARE(QApplication::activeWindow(), first.data());
        QCOMPARE(visibleWindow(window), first.data());
        QCOMPARE(combo->currentText(), chosen);
        if (auto* box = first->findChild<QCheckBox*>("Check1"))
            QVERIFY(!box->isChecked());

        // Closed by the user, it opens again in its initial state, also when opened before
        // the closed one is gone.
        QVERIFY(first->close());
        QVERIFY(!visibleWindow(window));
        opener(window)->click();
        QTRY_VERIFY(!first);
        QWidget* second = visibleWindow(window);
        QVERIFY(second);
        QCOMPARE(second->findChild<QComboBox*>(list)->currentText(), initial);
        if (auto* box = second->findChild<QCheckBox*>("Check1"))
            QVERIFY(box->isChecked());
    }

    // Both windows may be open at once, beside the main window, and close with the program.
    void bothOpen() {
        QPointer<QWidget> voiceWindow = open("form5");
        QPointer<QWidget> handheldWindow = open("Form6");
        QVERIFY(voiceWindow && handheldWindow);
        QVERIFY(voiceWindow->isVisible() && handheldWindow->isVisible() &&
                e2e->mainWindow().isVisible());
        e2e.reset();
        QVERIFY(!voiceWindow && !handheldWindow);
    }
};

QTEST_MAIN(CallersWindowsTest)
#include "callers_windows_test.moc"
