#pragma once
// How a voice display unit announces a table caller's call (code 0x14), and the place word
// of handheld calls by table number (0x15) and by pager number (0x16).

#include "commands/command.h"

namespace callcfg {

// An editable drop-down: its text and its list position, -1 when the text was typed,
// edited or emptied.
struct ComboChoice {
    QString text;
    int position = -1;
};

struct VoiceInput {
    ComboChoice pronunciation{QStringLiteral("中文发音"), 0}; // the language
    ComboChoice initiator{QStringLiteral("桌"), 1};           // empty text sends 255
    ComboChoice key1{QStringLiteral("点菜"), 3};              // empty text sends 255
    ComboChoice key2{QStringLiteral("加水"), 4};
    ComboChoice key3{QStringLiteral("买单"), 7};
    bool key2Enabled = true; // its box unticked sends 255
    bool key3Enabled = true; // its box unticked sends 255
};

const Command& voiceSettingsCommand();
const Command& handheldByTableCommand();
const Command& handheldByPagerCommand();

Encoded encodeVoiceSettings(const VoiceInput& input);
// The position in the handheld caller window's list of place words.
Encoded encodeHandheldByTable(int position);
Encoded encodeHandheldByPager(int position);

} // namespace callcfg
