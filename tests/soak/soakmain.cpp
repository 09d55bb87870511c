// dotrix-soak: drives the desktop program's window through random sequences of every menu
// command, toolbar button, accelerator and control-bar control, answering every dialog at random,
// while its output folder disappears or turns read-only, the serial port is missing, busy or
// silent, and a huge character list is pasted. Fails on a dialog that cannot be closed, an event
// loop that stops answering for 5 s, a crash or a sanitizer report, printing the seed and steps.
//
//   dotrix-soak [--seconds N] [--seed S] [--shown K]

#include "soakoptions.h"

#include <QCoreApplication>

#include <cstdio>
#include <random>

bool ParseSoakOptions(const QStringList &arguments, SoakOptions &options, QString &error)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &name = arguments[i];
        if (name == QLatin1String("--worker")) {
            options.Worker = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = name + QStringLiteral(" needs a value");
            return false;
        }
        const QString value = arguments[++i];
        bool ok = true;
        if (name == QLatin1String("--seconds"))
            options.Seconds = value.toInt(&ok);
        else if (name == QLatin1String("--seed")) {
            options.Seed = value.toULongLong(&ok);
            options.SeedGiven = true;
        } else if (name == QLatin1String("--shown"))
            options.Shown = value.toInt(&ok);
        else if (name == QLatin1String("--scratch"))
            options.Scratch = value;
        else {
            error = QStringLiteral("unknown option ") + name;
            return false;
        }
        if (!ok || options.Seconds < 1 || options.Shown < 1) {
            error = QStringLiteral("bad value for %1: %2").arg(name, value);
            return false;
        }
    }
    return true;
}

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    SoakOptions options;
    QString error;
    if (!ParseSoakOptions(arguments, options, error)) {
        std::fprintf(stderr, "dotrix-soak: %s\nusage: dotrix-soak [--seconds N] [--seed S] [--shown K]\n",
                     qPrintable(error));
        return 2;
    }
    if (options.Worker)
        return RunWorker(argc, argv, options);
    if (!options.SeedGiven)
        options.Seed = std::random_device{}() % 1000000;
    QCoreApplication app(argc, argv);
    return RunSupervisor(options);
}
