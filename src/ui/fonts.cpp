#include "ui/fonts.h"

#include <QStringList>

namespace callcfg {

void installFontSubstitutions() {
    const QStringList kai{"AR PL UKai CN", "AR PL UKai TW", "AR PL UKai HK", "AR PL UKai TW MBE"};
    const QStringList ming{"AR PL UMing CN", "AR PL UMing TW", "AR PL UMing HK",
                           "AR PL UMing TW MBE"};
    // insertSubstitutions skips names already in the list, so repeating this is harmless.
    QFont::insertSubstitutions(QString::fromUtf8(kaiFace), kai);
    QFont::insertSubstitutions(QStringLiteral("楷体"), kai);
    QFont::insertSubstitutions(QString::fromUtf8(songFace), ming);
    QFont::insertSubstitutions(QStringLiteral("新宋体"), ming);
}

QFont namedFont(const char* face, int pointSize) {
    installFontSubstitutions();
    return QFont(QString::fromUtf8(face), pointSize);
}

} // namespace callcfg
