#pragma once
// The position of an editable drop-down as the host unit knows it.

#include "input/voice.h"

class QComboBox;

namespace callcfg {

// The selected entry's position while the list's text still names that entry; -1 when
// nothing is selected or the text was typed, edited or emptied.
int listPosition(const QComboBox& list);

// The list's text and its position, as the voice settings encoder takes them.
ComboChoice choiceOf(const QComboBox& list);

} // namespace callcfg
