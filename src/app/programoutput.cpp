#include "app/programoutput.h"

#include "cli/commandline.h"
#include "cli/options.h"
#include "link/texts.h"

#include <QFile>

#ifdef Q_OS_WIN
#include "app/windowsconsole.h"

#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace callcfg {

ProgramOutput::ProgramOutput() {
    route(out_, stdout);
    route(err_, stderr);
}

ProgramOutput::~ProgramOutput() {
    out_.stream.flush();
    err_.stream.flush();
#ifdef Q_OS_WIN
    const QString unprinted = out_.unprinted + err_.unprinted;
    if (!unprinted.isEmpty())
        showInMessageBox(unprinted.trimmed(), failed_);
    if (attachedConsole_)
        detachConsole();
#endif
}

int ProgramOutput::finish(int status) {
    // A listing lost on a full disk or a closed pipe is no success.
    out_.stream.flush();
    if (out_.stream.status() == QTextStream::WriteFailed) {
        err_.stream << kProgram << ": "
                    << Texts::tr("cannot write to standard output: %1")
                           .arg(out_.device ? out_.device->errorString() : QString())
                    << Qt::endl;
        if (status == kDone)
            status = kDiffer;
    }
    failed_ = status != 0;
    return status;
}

void ProgramOutput::route(Channel& channel, std::FILE* file) {
#ifdef Q_OS_WIN
    const StreamEnd end = streamEnd(file);
    if (end == StreamEnd::FileOrPipe) {
        _setmode(_fileno(file), _O_BINARY); // LF line ends, as the listings print them
    } else {
        if (end == StreamEnd::Nowhere && !attachedConsole_)
            attachedConsole_ = attachParentConsole();
        if (end == StreamEnd::Console || attachedConsole_)
            channel.device = openConsoleOutput();
        if (channel.device) {
            channel.stream.setDevice(channel.device.get());
            channel.stream.setEncoding(QStringConverter::Utf16LE);
            channel.terminal = true;
        } else {
            channel.stream.setString(&channel.unprinted);
        }
        return;
    }
#else
    channel.terminal = isatty(fileno(file)) != 0;
#endif
    auto device = std::make_unique<QFile>();
    device->open(file, QIODevice::WriteOnly);
    channel.stream.setDevice(device.get());
    channel.device = std::move(device);
}

} // namespace callcfg
