#include "ChildProcessTiming.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <unistd.h>

namespace zelkbench {

namespace {

// utime + stime of a running process, in seconds; negative when unreadable.
double processCpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Fields after the command name (which may hold blanks) start after ") ".
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    // utime and stime are fields 14 and 15 of the whole line: 12 and 13 here.
    if (fields.size() < 14)
        return -1;
    const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

double millisecondsToMarker(const QString& program, const QStringList& arguments, const QByteArray& marker,
                            const QProcessEnvironment& environment, int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    QByteArray output;
    while (clock.elapsed() < timeoutMs) {
        if (!process.waitForReadyRead(50) && process.state() == QProcess::NotRunning)
            break;
        output += process.readAllStandardOutput();
        if (output.contains(marker)) {
            const double elapsed = double(clock.nsecsElapsed()) / 1e6;
            stop(process);
            return elapsed;
        }
    }
    stop(process);
    return -1;
}

double cpuLoadWhileRunning(const QString& program, const QStringList& arguments,
                           const QProcessEnvironment& environment, int fromMs, int toMs)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return -1;
    QThread::msleep(static_cast<unsigned long>(fromMs));
    const double cpuFrom = processCpuSeconds(process.processId());
    const qint64 wallFrom = clock.elapsed();
    QThread::msleep(static_cast<unsigned long>(toMs - fromMs));
    const double cpuTo = processCpuSeconds(process.processId());
    const qint64 wallTo = clock.elapsed();
    const bool ran = process.state() == QProcess::Running && cpuFrom >= 0 && cpuTo >= 0;
    stop(process);
    return ran ? (cpuTo - cpuFrom) / (double(wallTo - wallFrom) / 1000.0) : -1;
}

} // namespace zelkbench
