#pragma once
// What a port that cannot be opened is told as: the kind of failure in the tool's words, the
// system's reason beside them, and what usually mends it.

#include "link/portfailure.h"

#include <QString>

namespace callcfg {

// "COM1 (/dev/ttyUSB0)": the port list's entry and the device it opens; the device alone when
// there is no entry, and the entry alone when it is the device's own name (Windows' COM1).
QString portAndDevice(const QString& entry, const QString& device);

// "COM1 (/dev/ttyUSB0) is in use by another program (<reason>) - close that program first", or
// "cannot open <port>: <reason>" with the remedy of the usual kinds (no permission, no such
// device); other reasons as they are.
QString openFailureMessage(const QString& port, const QString& reason, PortFailure failure);

// The same said of a port named already: "in use by another program (<reason>) - close that
// program first", "cannot open: <reason>" with the remedy.
QString openFailurePhrase(const QString& reason, PortFailure failure);

} // namespace callcfg
