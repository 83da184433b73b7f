#pragma once
// Shorthands for the boxes of the commands' outcome tables.

#include "commands/command.h"

namespace callcfg::verdicts {

inline Verdict error(const QString& text, Focus focus = Focus::Unchanged,
                     const QString& title = QStringLiteral("错误")) {
    return {Box{BoxKind::Error, text, title}, focus};
}

inline Verdict notice(const QString& text, const QString& title, Focus focus = Focus::Unchanged) {
    return {Box{BoxKind::Notice, text, title}, focus};
}

// The host unit carried the command out: a notice titled OK.
inline Verdict success(const QString& text, Focus focus = Focus::Unchanged) {
    Verdict verdict = notice(text, QStringLiteral("OK"), focus);
    verdict.succeeded = true;
    return verdict;
}

// The length error most commands show, as a notice.
inline Verdict lengthError(Focus focus = Focus::Unchanged) {
    return notice(QStringLiteral("返回数据长度错误"), QStringLiteral("错误"), focus);
}

// The time-out most commands show.
inline Verdict timeout(Focus focus = Focus::Unchanged) {
    return error(QStringLiteral("超时没有返回数据!!"), focus);
}

inline Refusal refuse(const QString& text, Focus focus = Focus::Unchanged) {
    return {Box{BoxKind::Error, text, QStringLiteral("错误")}, focus};
}

inline Box confirm(const QString& text, const QString& title) {
    return Box{BoxKind::Confirm, text, title};
}

} // namespace callcfg::verdicts
