// The typed listing (按类型显示 with the item chosen in the list) and the hex view (内存排列) of
// form3. Both only
// read the images; the text is built whole and set at once.

#include "commands/box.h"
#include "memory/hexview.h"
#include "memory/images.h"
#include "memory/listing.h"
#include "memoryreader/memoryreaderwindow.h"
#include "memoryreader/readercommands.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace callcfg {
namespace {

const Box kNoImage{BoxKind::Notice,
                   QStringLiteral("读取数据区为空，请先读取主机或分机内容后再点击此按钮！"),
                   QStringLiteral("错误")};
const Box kNoTables{BoxKind::Error, QStringLiteral("没有餐桌号！"), QStringLiteral("注意")};

// Empties the text under the column header a view shows (none: `header` null); false, after
// the box, when no image has been read or opened.
bool beginView(const MemoryReaderContext& c, QWidget* header) {
    MemoryReaderWindow& w = c.window;
    if (!c.images.anyImagePresent) {
        c.box(kNoImage);
        return false;
    }
    for (QWidget* shown : {w.hexHeader, w.pagerHeader, w.tableHeader})
        shown->setVisible(shown == header);
    w.listingText->clear();
    return true;
}

} // namespace

void showListing(const MemoryReaderContext& c) {
    MemoryReaderWindow& w = c.window;
    const Images& images = c.images;
    if (!beginView(c, nullptr))
        return;
    w.setListingSize();
    switch (w.listingChoice->currentIndex()) {
    case 0:
        w.pagerHeader->show();
        w.listingText->setPlainText(pagerListing(images.hostImage));
        break;
    case 1: {
        w.tableHeader->show();
        const auto listing = tableListing(images.hostImage);
        if (!listing) {
            c.box(kNoTables);
            return;
        }
        w.listingText->setPlainText(*listing);
        break;
    }
    case 2:
        w.listingText->setPlainText(workModeText(images.hostImage));
        break;
    default:
        return;
    }
    w.repaint();
}

void showHexView(const MemoryReaderContext& c) {
    MemoryReaderWindow& w = c.window;
    const Images& images = c.images;
    if (!beginView(c, w.hexHeader))
        return;
    w.setListingSize();
    w.listingText->setPlainText(hexDumpOf(images));
    w.repaint();
}

} // namespace callcfg
