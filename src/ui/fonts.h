#pragma once
// The font faces the windows name, mapped to faces installed on this system.

#include <QFont>

namespace callcfg {

inline constexpr const char* kaiFace = "楷体_GB2312";
inline constexpr const char* songFace = "宋体";

// Maps 楷体_GB2312 and 宋体 to the faces a Chinese Windows installs, then to AR PL UKai and
// AR PL UMing. Safe to call more than once.
void installFontSubstitutions();

// A font of the given face and point size, with the substitutions installed.
QFont namedFont(const char* face, int pointSize);

} // namespace callcfg
