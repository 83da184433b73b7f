// The typed listing (Command5 with Combo1) and the hex view (Command4) of form3. Both only
// read the images; the text is built whole and set at once.

#include "memory/form3.h"
#include "memory/hexview.h"
#include "memory/images.h"
#include "memory/listing.h"
#include "memory/memoryreader.h"
#include "ui/boxkind.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace callcfg {
namespace {

const Box kNoImage{BoxKind::Notice,
                   QStringLiteral("读取数据区为空，请先读取主机或分机内容后再点击此按钮！"),
                   QStringLiteral("错误")};
const Box kNoTables{BoxKind::Error, QStringLiteral("没有餐桌号！"), QStringLiteral("注意")};

} // namespace

void MemoryReader::showListing() {
    Form3& w = *form3_;
    if (!images_.dataread) {
        box(kNoImage);
        return;
    }
    w.label2->hide();
    w.label3->hide();
    w.label4->hide();
    w.text1->clear();
    w.setListingSize();
    switch (w.combo1->currentIndex()) {
    case 0:
        w.label3->show();
        w.text1->setPlainText(pagerListing(images_.mainram));
        break;
    case 1: {
        w.label4->show();
        const auto listing = tableListing(images_.mainram);
        if (!listing) {
            box(kNoTables);
            return;
        }
        w.text1->setPlainText(*listing);
        break;
    }
    case 2:
        w.text1->setPlainText(workModeText(images_.mainram));
        break;
    default:
        return;
    }
    w.repaint();
}

void MemoryReader::showHexView() {
    Form3& w = *form3_;
    if (!images_.dataread) {
        box(kNoImage);
        return;
    }
    w.label3->hide();
    w.label4->hide();
    w.label2->show();
    w.text1->clear();
    w.setListingSize();
    w.text1->setPlainText(hexDumpOf(images_));
    w.repaint();
}

} // namespace callcfg
