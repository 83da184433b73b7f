#include "commandtable.h"

namespace soak {

QString checkBoxes(const QStringList& boxes, const QString& question, int minChecksum,
                   int maxChecksum, const QStringList& finals) {
    const auto problem = [&](const QString& what) {
        return what + QStringLiteral(": ") + boxes.join(QStringLiteral(" | ")) +
               QStringLiteral(" (allowed: ") + QString::number(minChecksum) + QStringLiteral("..") +
               QString::number(maxChecksum) + QStringLiteral(" checksum boxes, then one of ") +
               finals.join(QStringLiteral(" / ")) + QLatin1Char(')');
    };
    qsizetype i = 0;
    if (!question.isEmpty() && boxes.value(i++) != question)
        return problem(QStringLiteral("no question first"));
    int checksum = 0;
    while (i < boxes.size() && boxes[i] == kChecksumBox) {
        ++checksum;
        ++i;
    }
    if (checksum < minChecksum || checksum > maxChecksum)
        return problem(QStringLiteral("%1 checksum boxes").arg(checksum));
    const QString final = i < boxes.size() ? boxes[i++] : QString();
    if (i != boxes.size())
        return problem(QStringLiteral("boxes after the outcome"));
    if (!finals.contains(final))
        return problem(QStringLiteral("an outcome the line did not allow"));
    return {};
}

} // namespace soak
