#include "callers/listposition.h"

#include <QComboBox>

namespace callcfg {

int listPosition(const QComboBox& list) {
    const int index = list.currentIndex();
    if (index < 0 || list.currentText() != list.itemText(index))
        return -1;
    return index;
}

ComboChoice choiceOf(const QComboBox& list) {
    return {list.currentText(), listPosition(list)};
}

} // namespace callcfg
