#include "ui/fonts.h"

#include <QStringList>

namespace callcfg {

void installFontSubstitutions() {
    // A Chinese Windows installs 楷体 (KaiTi), 宋体 (SimSun) and 新宋体 (NSimSun); elsewhere
    // the AR PL faces stand in. The first face present wins, so the Windows faces come first.
    const QStringList arplKai{"AR PL UKai CN", "AR PL UKai TW", "AR PL UKai HK",
                              "AR PL UKai TW MBE"};
    const QStringList arplMing{"AR PL UMing CN", "AR PL UMing TW", "AR PL UMing HK",
                               "AR PL UMing TW MBE"};
    // insertSubstitutions skips names already in the list, so repeating this is harmless.
    QFont::insertSubstitutions(QString::fromUtf8(kaiFace), QStringList{"楷体", "KaiTi"} + arplKai);
    QFont::insertSubstitutions(QStringLiteral("楷体"), QStringList{"KaiTi"} + arplKai);
    QFont::insertSubstitutions(QString::fromUtf8(songFace),
                               QStringList{"SimSun", "新宋体", "NSimSun"} + arplMing);
    QFont::insertSubstitutions(QStringLiteral("新宋体"),
                               QStringList{"NSimSun", "宋体", "SimSun"} + arplMing);
}

QFont namedFont(const char* face, int pointSize) {
    installFontSubstitutions();
    return QFont(QString::fromUtf8(face), pointSize);
}

} // namespace callcfg
