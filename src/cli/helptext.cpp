#include "cli/helptext.h"

#include <QStringList>

#include <algorithm>

namespace callcfg {

namespace {

// Characters a terminal shows two columns wide: CJK ideographs, kana, hangul and their
// punctuation, and the fullwidth forms.
bool isWide(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
           (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
           (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
           (u >= 0xFFE0 && u <= 0xFFE6);
}

int columns(const QString& text) {
    return int(std::count_if(text.begin(), text.end(), isWide)) + int(text.size());
}

// Chinese punctuation that never starts a line, and that never ends one.
bool closes(QChar c) {
    return QStringView(u"，。、；：！？）」』》").contains(c);
}
bool opens(QChar c) {
    return QStringView(u"（「『《").contains(c);
}

// The text cut where a line may break: at spaces, which the break swallows, and between two
// characters of which one is wide.
struct Piece {
    QString text;
    bool afterSpace = false;
};

QList<Piece> pieces(const QString& text) {
    QList<Piece> result;
    bool space = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ')) {
            space = true;
            continue;
        }
        const bool breakable =
            result.isEmpty() || space ||
            ((isWide(c) || isWide(text[i - 1])) && !closes(c) && !opens(text[i - 1]));
        if (breakable)
            result.append({QString(c), space && !result.isEmpty()});
        else
            result.last().text += c;
        space = false;
    }
    return result;
}

// The first line holds `width` columns, the lines after it `width + more`.
QStringList wrapped(const QString& text, int width, int more) {
    QStringList lines{QString()};
    int used = 0;
    for (const Piece& piece : pieces(text)) {
        const int pieceWidth = columns(piece.text);
        const int space = piece.afterSpace ? 1 : 0;
        if (used > 0 && used + space + pieceWidth > width + (lines.size() > 1 ? more : 0)) {
            lines << QString();
            used = 0;
        }
        if (used > 0 && space) {
            lines.last() += QLatin1Char(' ');
            ++used;
        }
        lines.last() += piece.text;
        used += pieceWidth;
    }
    return lines;
}

} // namespace

QString columnLines(const QList<std::pair<QString, QString>>& entries) {
    qsizetype nameWidth = 0;
    for (const auto& [name, description] : entries)
        nameWidth = std::max(nameWidth, name.size());
    nameWidth = std::min<qsizetype>(nameWidth + 1, 50);
    const QString indent(2, QLatin1Char(' '));
    QString text;
    for (const auto& [name, description] : entries) {
        // As in Qt's own help, the lines after the first hold one column more.
        const QStringList lines = wrapped(description, int(76 - nameWidth), 1);
        for (qsizetype line = 0; line < lines.size(); ++line)
            text += indent + (line == 0 ? name : QString()).leftJustified(nameWidth) +
                    QLatin1Char(' ') + lines[line] + QLatin1Char('\n');
    }
    return text;
}

QString optionLines(const QList<QCommandLineOption>& options) {
    QList<std::pair<QString, QString>> entries;
    for (const QCommandLineOption& option : options) {
        QStringList forms;
        for (const QString& name : option.names())
            forms << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString text = forms.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            text += QStringLiteral(" <%1>").arg(option.valueName());
        entries.append({text, option.description()});
    }
    return columnLines(entries);
}

QString paragraph(const QString& text) {
    return wrapped(text, kHelpWidth, 0).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace callcfg
