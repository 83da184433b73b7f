#include "memoryreader/memoryreaderwindow.h"

#include "memory/images.h"
#include "memoryreader/wrapbutton.h"
#include "ui/controls.h"
#include "ui/filedialog.h"
#include "ui/fonts.h"
#include "ui/twips.h"
#include "ui/usersettingshidden.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace callcfg {
namespace {

template <typename W>
W* place(W* widget, const char* name, int left, int top, int width, int height) {
    return controls::place(widget, QString::fromLatin1(name), QRect(left, top, width, height));
}

// Buttons whose captions wrap when they are too narrow for them, as the form's are.
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, int left, int top,
                        int width, int height) {
    auto* button =
        place(new WrapButton(QString::fromUtf8(caption), parent), name, left, top, width, height);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, int left, int top,
                  int width, int height) {
    return controls::label(parent, QString::fromLatin1(name), QString::fromUtf8(caption),
                           QRect(left, top, width, height));
}

// 宋体 at 12 pixels: half-width characters 6 pixels wide, Chinese characters 12, so the
// listings line up under their header labels.
QFont listingFont() {
    QFont font = namedFont(songFace, 9);
    font.setPixelSize(12);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

MemoryReaderWindow::MemoryReaderWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("form3"));
    setWindowTitle(QStringLiteral("读取"));
    setFont(listingFont());

    readHostButton = makeButton(this, "Command1", "读取主机", 360, 240, 975, 495);
    saveFileButton = makeButton(this, "Command6", "保存文件", 1800, 240, 975, 495);
    openFileButton = makeButton(this, "Command7", "打开文件", 3240, 240, 975, 495);
    downloadButton = makeButton(this, "Command8", "下发主机", 4680, 240, 975, 495);
    listPromptLabel = makeLabel(this, "Label5", "请选择显示的项目", 2040, 1080, 1440, 180);
    hexViewButton = makeButton(this, "Command4", "内存排列", 5400, 1080, 495, 615);
    hostStatusLabel = makeLabel(this, "Label6", "主机未读取", 480, 1200, 540, 180);
    listingButton = makeButton(this, "Command5", "按类型显示", 4200, 1200, 1095, 495);
    listingChoice = place(new QComboBox(this), "Combo1", 1920, 1320, 1815, 300);
    listingChoice->addItems(
        {QStringLiteral("传呼号"), QStringLiteral("餐桌号"), QStringLiteral("工作模式")});
    progressLabel = makeLabel(this, "Label1", "读取进度条", 240, 1750, 540, 180);
    progressBar = place(new QProgressBar(this), "ProgressBar1", 600, 1950, 4695, 255);
    progressBar->setTextVisible(false);
    transferNoteLabel = makeLabel(this, "DownloadNoteLabel", "", 1440, 1750, 540, 180);
    transferNoteLabel->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    transferNoteLabel->hide();
    hexHeader = makeLabel(this, "Label2", "  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F", 720,
                          2400, 4410, 180);
    pagerHeader =
        makeLabel(this, "Label3", "传呼号     地址码       极性      机型      速率     音调", 240,
                  2400, 3615, 195);
    tableHeader =
        makeLabel(this, "Label4", "餐桌号    叮当鸟特征码   对应传呼号1 对应传呼号2 对应传呼号3",
                  120, 2400, 5400, 180);
    // The pager header is wider than its place on the form in this font: let it reach its end.
    for (QLabel* header : {hexHeader, pagerHeader, tableHeader})
        header->resize(qMax(header->width(), header->sizeHint().width()), header->height());
    // Under the listing rather than beside the headers, where its caption would run past the
    // window's edge and under Text1.
    receiverStatusLabel = makeLabel(this, "Label7", "分机未读取", 120, 6150, 540, 180);
    receiverStatusLabel->hide();
    listingText = place(new QPlainTextEdit(this), "Text1", 120, 2640, 5655, 3495);
    listingText->setReadOnly(true);
    listingText->setLineWrapMode(QPlainTextEdit::NoWrap);
    listingText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    listingText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    readExternalButton = makeButton(this, "Command3", "读取外置接收机", 4440, 3120, 1455, 495);
    readBuiltInButton = makeButton(this, "Command2", "读取内置接收机", 4320, 3480, 1455, 495);
    readExternalButton->hide();
    readBuiltInButton->hide();
    // Label2 and Text1 are what the hex view and listings bring into view; the typed
    // listings' headers appear only with their listing.
    pagerHeader->hide();
    tableHeader->hide();

    // Never where an earlier run's dialogs were left: what the dialog remembers stays out of
    // the user's settings (it reads them while it is built).
    fileDialog = makeFileDialog(this, QStringLiteral("CommonDialog1"));
    fileDialog->setFileMode(QFileDialog::AnyFile);
    fileDialog->setNameFilters(
        {QStringLiteral("备份文件 (*.cat *.CAT)"), QStringLiteral("所有文件 (*)")});

    // The receiver reads: their buttons stay hidden, the window's context menu clicks them.
    readBuiltInAction = new QAction(QStringLiteral("读取内置接收机"), this);
    readExternalAction = new QAction(QStringLiteral("读取外置接收机"), this);
    connect(readBuiltInAction, &QAction::triggered, readBuiltInButton, &QPushButton::click);
    connect(readExternalAction, &QAction::triggered, readExternalButton, &QPushButton::click);
    addAction(readBuiltInAction);
    addAction(readExternalAction);
    verifyHostAction = new QAction(QStringLiteral("校验主机"), this);
    addAction(verifyHostAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    listPromptLabel->installEventFilter(this);
    setCompactSize();
}

MemoryReaderWindow::~MemoryReaderWindow() {
    // The dialog writes what it remembers as it is destroyed.
    const UserSettingsHidden hidden;
    delete fileDialog;
}

void MemoryReaderWindow::load(const Images& images) {
    chosenName_.clear();
    setCaption(hostStatusLabel, images.hostImagePresent ? QStringLiteral("主机内容已读取")
                                                        : QStringLiteral("主机未读取"));
    setCaption(receiverStatusLabel, images.receiverImagePresent ? QStringLiteral("分机内容已读取")
                                                                : QStringLiteral("分机未读取"));
    labelClicks_ = 0;
    hexViewButton->hide();
    setCaption(progressLabel, QStringLiteral("读取进度条"));
    transferNoteLabel->hide();
    progressBar->setValue(progressBar->minimum());
    progressBar->show();
    hexHeader->show();
    pagerHeader->hide();
    tableHeader->hide();
    setCompactSize();
    listingText->clear();
    listingChoice->setCurrentIndex(0);
}

std::optional<QString> MemoryReaderWindow::chooseFile(bool forSaving) {
    fileDialog->setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    fileDialog->setWindowTitle(forSaving ? saveFileButton->text() : openFileButton->text());
    const std::optional<QString> chosen = runFileDialog(*fileDialog, chosenName_);
    if (chosen)
        chosenName_ = *chosen;
    return chosen;
}

void MemoryReaderWindow::setCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->resize(label->sizeHint());
}

void MemoryReaderWindow::setLayoutHeight(int twips) {
    setFixedSize(px(layoutWidth), clientHeight(twips));
}

void MemoryReaderWindow::setCompactSize() {
    setLayoutHeight(compactHeight);
}

void MemoryReaderWindow::setListingSize() {
    setLayoutHeight(listingHeight);
}

bool MemoryReaderWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listPromptLabel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        listPromptLabel->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        if (++labelClicks_ == 5)
            hexViewButton->show();
    }
    return QWidget::eventFilter(watched, event);
}

void MemoryReaderWindow::showTransferNote(const QString& note) {
    setCaption(transferNoteLabel, note);
    // After the status beside the progress bar, whichever caption it was left with.
    transferNoteLabel->move(progressLabel->geometry().right() + progressLabel->height(),
                            progressLabel->y());
    transferNoteLabel->setVisible(!note.isEmpty());
}

void MemoryReaderWindow::showBlockProgress(int value) {
    // QProgressBar repaints itself at once on a new value; with updates off it only asks for
    // a paint, which the wait's paint pump delivers.
    progressBar->setUpdatesEnabled(false);
    progressBar->setValue(value);
    progressBar->setUpdatesEnabled(true);
}

} // namespace callcfg
