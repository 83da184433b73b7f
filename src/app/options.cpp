#include "app/options.h"

namespace callcfg {

Options parseOptions(const QStringList& arguments) {
    Options options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--simulate")) {
            options.simulate = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--port") && i + 1 < arguments.size()) {
            if (!options.portMap.addMapping(arguments[++i]))
                options.error = QStringLiteral("--port expects COMn=DEVICE, got: ") + arguments[i];
        } else if (arg.startsWith(QLatin1String("--port="))) {
            if (!options.portMap.addMapping(arg.mid(7)))
                options.error = QStringLiteral("--port expects COMn=DEVICE, got: ") + arg.mid(7);
        } else {
            options.error = QStringLiteral("unknown argument: ") + arg;
        }
        if (!options.error.isEmpty())
            break;
    }
    return options;
}

QString usageText() {
    return QStringLiteral(
        "usage: callcfg [--port COMn=DEVICE]... [--simulate]\n"
        "  --port COMn=DEVICE  port list entry COMn opens DEVICE (default /dev/ttyS<n-1>)\n"
        "  --simulate          serve a simulated host unit in-process on COM1\n");
}

} // namespace callcfg
