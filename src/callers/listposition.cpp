#include "callers/listposition.h"

#include "ui/listchoice.h"

#include <QComboBox>

namespace callcfg {

int listPosition(const QComboBox& list) {
    return ListChoice::positionOf(list);
}

ComboChoice choiceOf(const QComboBox& list) {
    return {list.currentText(), listPosition(list)};
}

} // namespace callcfg
