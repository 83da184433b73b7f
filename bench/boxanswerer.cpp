#include "boxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

BoxAnswerer::BoxAnswerer() {
    connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::poll);
    timer_.start(2);
}

void BoxAnswerer::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    if (clock_ && firstAt_ < 0)
        firstAt_ = clock_->nsecsElapsed();
    texts_ << box->text();
    QAbstractButton* answer = box->defaultButton();
    if (!answer && !box->buttons().isEmpty())
        answer = box->buttons().first();
    if (answer)
        answer->click();
    else
        box->reject();
}
