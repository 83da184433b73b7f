#include "memory/memoryreader.h"

#include "link/link.h"
#include "mainwindow/form1.h"
#include "memory/form3.h"
#include "memory/images.h"
#include "ui/messagebox.h"

#include <QLabel>
#include <QPushButton>

namespace callcfg {

MemoryReader::MemoryReader(Form1& form1, Link& link, Images& images)
    : form1_(form1), link_(link), images_(images) {
    connect(form1_.command12, &QPushButton::clicked, this, &MemoryReader::showForm3);
}

MemoryReader::~MemoryReader() {
    delete form3_;
}

void MemoryReader::showForm3() {
    if (!form3_) {
        form3_ = new Form3;
        connect(form3_->command1, &QPushButton::clicked, this, &MemoryReader::readHost);
        connect(form3_->command2, &QPushButton::clicked, this, &MemoryReader::readBuiltInReceiver);
        connect(form3_->command3, &QPushButton::clicked, this, &MemoryReader::readExternalReceiver);
        connect(form3_->command4, &QPushButton::clicked, this, &MemoryReader::showHexView);
        connect(form3_->command5, &QPushButton::clicked, this, &MemoryReader::showListing);
        connect(form3_->command6, &QPushButton::clicked, this, &MemoryReader::saveFile);
        connect(form3_->command7, &QPushButton::clicked, this, &MemoryReader::openFile);
        connect(form3_->command8, &QPushButton::clicked, this, &MemoryReader::download);
    }
    if (!form3_->isVisible())
        form3_->load(images_);
    form3_->setWindowState(form3_->windowState() & ~Qt::WindowMinimized);
    form3_->show();
    form3_->raise();
    form3_->activateWindow();
}

void MemoryReader::box(const Box& box) {
    showBox(form3_, box);
}

void MemoryReader::showStatus(const QString& caption) {
    Form3::setCaption(form3_->label1, caption);
    form3_->label1->repaint();
    form3_->repaint();
}

} // namespace callcfg
