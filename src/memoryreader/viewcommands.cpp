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
bool beginView(const MemoryReaderContext& context, QWidget* header) {
    MemoryReaderWindow& window = context.window;
    if (!context.images.anyImagePresent) {
        context.box(kNoImage);
        return false;
    }
    for (QWidget* shown : {window.hexHeader, window.pagerHeader, window.tableHeader})
        shown->setVisible(shown == header);
    window.listingText->clear();
    return true;
}

} // namespace

void showListing(const MemoryReaderContext& context) {
    MemoryReaderWindow& window = context.window;
    const Images& images = context.images;
    if (!beginView(context, nullptr))
        return;
    window.setListingSize();
    switch (window.listingChoice->currentIndex()) {
    case 0:
        window.pagerHeader->show();
        window.listingText->setPlainText(pagerListing(images.hostImage));
        break;
    case 1: {
        window.tableHeader->show();
        const auto listing = tableListing(images.hostImage);
        if (!listing) {
            context.box(kNoTables);
            return;
        }
        window.listingText->setPlainText(*listing);
        break;
    }
    case 2:
        window.listingText->setPlainText(workModeText(images.hostImage));
        break;
    default:
        return;
    }
    window.repaint();
}

void showHexView(const MemoryReaderContext& context) {
    MemoryReaderWindow& window = context.window;
    const Images& images = context.images;
    if (!beginView(context, window.hexHeader))
        return;
    window.setListingSize();
    window.listingText->setPlainText(hexDumpOf(images));
    window.repaint();
}

} // namespace callcfg
