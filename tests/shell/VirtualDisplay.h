#pragma once

// A virtual X display (Xvfb) of the test's own.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QtTest>

namespace zelktest {

// A virtual X display for the test's lifetime, on a display number no
// other server (or test) uses.
class VirtualDisplay {
public:
    ~VirtualDisplay()
    {
        if (server_.state() == QProcess::NotRunning)
            return;
        server_.terminate();
        if (!server_.waitForFinished(10000))
            server_.kill();
        server_.waitForFinished(5000);
    }

    // False with `why` when no server could be started.
    bool start(QString* why)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (program.isEmpty()) {
            *why = QStringLiteral("Xvfb is not installed");
            return false;
        }
        for (int number = 90 + (QCoreApplication::applicationPid() % 50); number < 400; ++number) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            if (QFile::exists(socket) || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            server_.start(program, {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"), QStringLiteral("0"),
                                    QStringLiteral("1280x720x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!server_.waitForStarted(10000))
                break;
            // Ready once its socket exists; gone at once when the number
            // was taken after all.
            for (int wait = 0; wait < 100 && server_.state() == QProcess::Running && !QFile::exists(socket); ++wait)
                QTest::qWait(100);
            if (server_.state() == QProcess::Running && QFile::exists(socket)) {
                name_ = QStringLiteral(":%1").arg(number);
                return true;
            }
            server_.waitForFinished(1000);
        }
        *why = QStringLiteral("no virtual X display could be started");
        return false;
    }

    QString name() const { return name_; }

private:
    QProcess server_;
    QString name_;
};

} // namespace zelktest
