#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace zelkbench {

// Milliseconds from starting `program` to the line `marker` on its stdout,
// or a negative number when it never came (the process is stopped then).
double millisecondsToMarker(const QString& program, const QStringList& arguments, const QByteArray& marker,
                            const QProcessEnvironment& environment, int timeoutMs = 30000);

// CPU seconds per wall-clock second `program` used between `fromMs` and
// `toMs` after its start (user + system, all threads), read from /proc;
// negative when it ended before `toMs`. The process is stopped afterwards.
double cpuLoadWhileRunning(const QString& program, const QStringList& arguments,
                           const QProcessEnvironment& environment, int fromMs, int toMs);

} // namespace zelkbench
