// The supervisor: runs the driven window in a process of its own, so that a crash, a sanitizer
// report or a frozen event loop can still be told with the seed and the steps that led there.

#include "soakoptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <grp.h>
#include <signal.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <deque>
#include <map>

namespace {

// How long the worker's event loop may stay silent (it says "alive" four times a second).
constexpr qint64 StallMs = 5000;

void Print(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

struct Watch
{
    std::deque<QString> steps; // the last steps, oldest first
    long long stepCount = 0;
    QStringList summary;       // the worker's closing figures
    QString failure;           // the first reason to fail
    QStringList sanitizer;     // sanitizer report lines
    std::map<QString, int> noise; // other stderr lines, by text, with their counts
    QByteArray outPending, errPending;
};

void TakeLines(QByteArray &pending, const QByteArray &more, const std::function<void(const QString &)> &take)
{
    pending += more;
    int end;
    while ((end = pending.indexOf('\n')) >= 0) {
        take(QString::fromUtf8(pending.left(end)));
        pending.remove(0, end + 1);
    }
}

// Starts the worker, as user nobody when asked; false when it could not be made to run as nobody.
bool StartWorker(QProcess &worker, const SoakOptions &options, const QString &scratch, bool asNobody)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Profile, temporary files and the like stay in the scratch folder.
    env.insert(QStringLiteral("HOME"), scratch);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("TMPDIR"), scratch + QStringLiteral("/tmp"));
    worker.setProcessEnvironment(env);
    worker.setWorkingDirectory(scratch);
    if (asNobody) {
        const passwd *nobody = getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        // Root writes into read-only folders; the worker runs as an ordinary user so that a
        // read-only output folder is one.
        if (chown(QFile::encodeName(scratch).constData(), uid, gid) != 0)
            return false;
        worker.setChildProcessModifier([uid, gid] {
            // A group of its own, so that its serial peers (socat, rx) end with it.
            setpgid(0, 0);
            if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
                _exit(126);
        });
    } else {
        worker.setChildProcessModifier([] { setpgid(0, 0); });
    }
    worker.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--worker"), QStringLiteral("--seconds"), QString::number(options.Seconds),
                  QStringLiteral("--seed"), QString::number(options.Seed), QStringLiteral("--scratch"), scratch});
    return true;
}

// The stack of the window's thread, where gdb is there to read it.
QString WindowThreadStack(qint64 pid)
{
    QProcess gdb;
    gdb.start(QStringLiteral("gdb"), {QStringLiteral("-p"), QString::number(pid), QStringLiteral("-batch"),
                                      QStringLiteral("-ex"), QStringLiteral("thread 1"), QStringLiteral("-ex"),
                                      QStringLiteral("bt 40")});
    if (!gdb.waitForFinished(30000))
        gdb.kill();
    QStringList frames;
    for (const QString &line : QString::fromLocal8Bit(gdb.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1Char('#')))
            frames << QStringLiteral("  ") + line.left(240);
    return frames.join(QLatin1Char('\n'));
}

} // namespace

int RunSupervisor(const SoakOptions &options)
{
    Print(QStringLiteral("soak: seed %1, %2 s").arg(options.Seed).arg(options.Seconds));
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/dotrix-soak-XXXXXX"));
    if (!scratch.isValid()) {
        Print(QStringLiteral("soak: cannot make a scratch folder: ") + scratch.errorString());
        return 1;
    }
    QProcess worker;
    bool asNobody = geteuid() == 0 && StartWorker(worker, options, scratch.path(), true);
    if (!asNobody)
        StartWorker(worker, options, scratch.path(), false);
    else if (!worker.waitForStarted(10000) || (worker.waitForFinished(300) && worker.exitCode() == 126)) {
        // The program cannot be run as nobody here (its folder is closed to others): run as root,
        // where a read-only folder does not stop writing.
        Print(QStringLiteral("soak: cannot run the window as user nobody; running it as root"));
        asNobody = false;
        StartWorker(worker, options, scratch.path(), false);
        if (!worker.waitForStarted(10000)) {
            Print(QStringLiteral("soak: the window did not start: ") + worker.errorString());
            return 1;
        }
    }

    Watch watch;
    const auto takeOut = [&](const QString &line) {
        const QChar kind = line.isEmpty() ? QChar() : line[0];
        if (kind == QLatin1Char('S')) {
            ++watch.stepCount;
            watch.steps.push_back(line.mid(2));
            if (int(watch.steps.size()) > options.Shown)
                watch.steps.pop_front();
        } else if (kind == QLatin1Char('T')) {
            watch.summary << line.mid(2);
        } else if (kind == QLatin1Char('F')) {
            if (watch.failure.isEmpty())
                watch.failure = line.mid(2);
        } else if (kind == QLatin1Char('P')) {
            Print(QStringLiteral("soak: ") + line.mid(2));
        }
    };
    static const QRegularExpression sanitizerLine(QStringLiteral("Sanitizer|runtime error:|SUMMARY: "));
    const auto takeErr = [&](const QString &line) {
        if (sanitizerLine.match(line).hasMatch() || !watch.sanitizer.isEmpty()) {
            watch.sanitizer << line;
            if (watch.failure.isEmpty())
                watch.failure = QStringLiteral("sanitizer report");
            return;
        }
        ++watch.noise[line];
    };

    const qint64 group = worker.processId();
    QString stack;
    QElapsedTimer sinceLine, total;
    sinceLine.start();
    total.start();
    const qint64 limit = (options.Seconds + 240) * 1000LL;
    while (worker.state() != QProcess::NotRunning) {
        worker.waitForReadyRead(100);
        const QByteArray out = worker.readAllStandardOutput();
        if (!out.isEmpty())
            sinceLine.restart();
        TakeLines(watch.outPending, out, takeOut);
        TakeLines(watch.errPending, worker.readAllStandardError(), takeErr);
        if (worker.state() == QProcess::NotRunning)
            break;
        if (sinceLine.elapsed() > StallMs || total.elapsed() > limit) {
            if (watch.failure.isEmpty())
                watch.failure = sinceLine.elapsed() > StallMs
                                    ? QStringLiteral("the event loop did not answer for %1 s").arg(StallMs / 1000)
                                    : QStringLiteral("the run did not end within %1 s").arg(limit / 1000);
            stack = WindowThreadStack(worker.processId());
            worker.kill();
            worker.waitForFinished(5000);
        }
    }
    if (group > 0)
        ::kill(pid_t(-group), SIGKILL); // whatever the window left running
    TakeLines(watch.outPending, worker.readAllStandardOutput() + '\n', takeOut);
    TakeLines(watch.errPending, worker.readAllStandardError() + '\n', takeErr);
    if (watch.failure.isEmpty() && worker.exitStatus() == QProcess::CrashExit)
        watch.failure = QStringLiteral("the window crashed");
    if (watch.failure.isEmpty() && worker.exitCode() != 0)
        watch.failure = QStringLiteral("the window ended with status %1").arg(worker.exitCode());

    for (const QString &line : watch.summary)
        Print(QStringLiteral("soak: ") + line);
    if (!watch.noise.empty()) {
        Print(QStringLiteral("soak: the window said on stderr (distinct lines, with counts):"));
        int shown = 0;
        for (const auto &[text, count] : watch.noise)
            if (!text.trimmed().isEmpty() && shown++ < 30)
                Print(QStringLiteral("  %1x %2").arg(count).arg(text.left(200)));
    }
    if (watch.failure.isEmpty()) {
        Print(QStringLiteral("soak: %1 steps in %2 s, seed %3: no failure%4")
                  .arg(watch.stepCount)
                  .arg(total.elapsed() / 1000)
                  .arg(options.Seed)
                  .arg(asNobody ? QString() : QStringLiteral(" (as root: read-only folders were writable)")));
        return 0;
    }
    Print(QStringLiteral("soak: FAILED after %1 steps: %2").arg(watch.stepCount).arg(watch.failure));
    for (const QString &line : watch.sanitizer)
        Print(line);
    if (!stack.isEmpty())
        Print(QStringLiteral("soak: where the window's thread was:\n") + stack);
    Print(QStringLiteral("soak: seed %1; the last %2 steps:").arg(options.Seed).arg(watch.steps.size()));
    for (const QString &step : watch.steps)
        Print(QStringLiteral("  ") + step);
    Print(QStringLiteral("soak: again with: dotrix-soak --seed %1 --seconds %2").arg(options.Seed).arg(options.Seconds));
    return 1;
}
