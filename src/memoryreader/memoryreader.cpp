#include "memoryreader/memoryreader.h"

#include "memoryreader/memoryreaderwindow.h"
#include "memoryreader/readercommands.h"

#include <QAction>
#include <QPushButton>

namespace callcfg {

MemoryReader::MemoryReader(Link& link, ChosenPort& port, Images& images)
    : link_(link), port_(port), images_(images) {}

MemoryReader::~MemoryReader() {
    delete readerWindow_;
}

void MemoryReader::showMemoryReader() {
    if (!readerWindow_) {
        readerWindow_ = new MemoryReaderWindow;
        const MemoryReaderContext context{*readerWindow_, link_, port_, images_};
        const auto on = [this, context](QPushButton* button, auto command) {
            connect(button, &QPushButton::clicked, this, [context, command] { command(context); });
        };
        on(readerWindow_->readHostButton,
           [](const MemoryReaderContext& c) { readMemory(c, MemoryRead::Host); });
        on(readerWindow_->readBuiltInButton,
           [](const MemoryReaderContext& c) { readMemory(c, MemoryRead::BuiltInReceiver); });
        on(readerWindow_->readExternalButton,
           [](const MemoryReaderContext& c) { readMemory(c, MemoryRead::ExternalReceiver); });
        on(readerWindow_->hexViewButton, showHexView);
        on(readerWindow_->listingButton, showListing);
        on(readerWindow_->saveFileButton, saveBackupFile);
        on(readerWindow_->openFileButton, openBackupFile);
        on(readerWindow_->downloadButton, downloadToHost);
        connect(readerWindow_->verifyHostAction, &QAction::triggered, this,
                [context] { verifyHost(context); });
    }
    if (!readerWindow_->isVisible())
        readerWindow_->load(images_);
    readerWindow_->setWindowState(readerWindow_->windowState() & ~Qt::WindowMinimized);
    readerWindow_->show();
    readerWindow_->raise();
    readerWindow_->activateWindow();
}

} // namespace callcfg
