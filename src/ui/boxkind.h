#pragma once
// The kinds of message box every window uses, and one box described as data.
// Widget-free, so command logic can describe its outcomes without the GUI.

#include <QString>

namespace callcfg {

// Style values of the platform's message box: error 16 (critical icon, OK),
// notice 15 (no icon, one button), confirmation 17 (critical icon, OK and Cancel).
enum class BoxKind { Error = 16, Notice = 15, Confirm = 17 };

struct Box {
    BoxKind kind = BoxKind::Error;
    QString text;
    QString title = QStringLiteral("错误");
};

} // namespace callcfg
