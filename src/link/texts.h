#pragma once
// The texts the tool adds beside the system's own: written in English, translated into Chinese
// by the program's translation (the windows always show Chinese; the command line follows the
// locale).

#include <QCoreApplication>

namespace callcfg {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(callcfg)
};

} // namespace callcfg
