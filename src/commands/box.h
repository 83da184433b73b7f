#pragma once
// A message box described as data, and the kinds every window uses. Widget-free, so that the
// commands can state their outcomes without the windows.

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
