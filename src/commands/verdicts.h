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

// An input error: an error box, and the input's control takes the focus.
inline Verdict refuse(const QString& text, Focus focus = Focus::Unchanged) {
    return error(text, focus);
}

// Rows of an outcome table: a reply of `length` data bytes; a reply of the one status byte
// `status`; any reply the rows before did not match.
inline OutcomeRow onLength(int length, const Verdict& verdict) {
    return {.length = length, .verdict = verdict};
}
inline OutcomeRow onStatus(std::uint8_t status, const Verdict& verdict) {
    return {.length = 1, .firstByte = status, .verdict = verdict};
}
inline OutcomeRow otherwise(const Verdict& verdict) {
    return {.verdict = verdict};
}

// `command` with the outcome table most commands have: success on a reply of `length` data
// bytes, the length error on any other, the time-out on none and `failureText` when the request
// cannot be sent; every box but the length error moves the focus to `focus`.
inline Command withUsualOutcomes(Command command, const QString& successText,
                                 const QString& failureText, Focus focus = Focus::Unchanged,
                                 int length = 0) {
    command.replies = {onLength(length, success(successText, focus)), otherwise(lengthError())};
    command.noReply = timeout(focus);
    command.failure = error(failureText, focus);
    return command;
}

inline Box confirm(const QString& text, const QString& title) {
    return Box{BoxKind::Confirm, text, title};
}

} // namespace callcfg::verdicts
