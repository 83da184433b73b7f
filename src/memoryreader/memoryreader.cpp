#include "memoryreader/memoryreader.h"

#include "memoryreader/form3.h"
#include "memoryreader/form3commands.h"

#include <QAction>
#include <QPushButton>

namespace callcfg {

MemoryReader::MemoryReader(Link& link, PortGate& port, Images& images)
    : link_(link), port_(port), images_(images) {}

MemoryReader::~MemoryReader() {
    delete form3_;
}

void MemoryReader::showForm3() {
    if (!form3_) {
        form3_ = new Form3;
        const Form3Context context{*form3_, link_, port_, images_};
        const auto on = [this, context](QPushButton* button, auto command) {
            connect(button, &QPushButton::clicked, this, [context, command] { command(context); });
        };
        on(form3_->readHostButton, [](const Form3Context& c) { readMemory(c, MemoryRead::Host); });
        on(form3_->readBuiltInButton,
           [](const Form3Context& c) { readMemory(c, MemoryRead::BuiltInReceiver); });
        on(form3_->readExternalButton,
           [](const Form3Context& c) { readMemory(c, MemoryRead::ExternalReceiver); });
        on(form3_->hexViewButton, showHexView);
        on(form3_->listingButton, showListing);
        on(form3_->saveFileButton, saveBackupFile);
        on(form3_->openFileButton, openBackupFile);
        on(form3_->downloadButton, downloadToHost);
        connect(form3_->verifyHostAction, &QAction::triggered, this,
                [context] { verifyHost(context); });
    }
    if (!form3_->isVisible())
        form3_->load(images_);
    form3_->setWindowState(form3_->windowState() & ~Qt::WindowMinimized);
    form3_->show();
    form3_->raise();
    form3_->activateWindow();
}

} // namespace callcfg
