#pragma once

// A D-Bus session bus of the test's own (dbus-daemon started and stopped by
// the test), and a stand-in for the desktop's ScreenSaver service on it.

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QSet>
#include <QStringList>
#include <QtTest>

namespace zelktest {

class PrivateSessionBus {
public:
    PrivateSessionBus()
    {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (!daemon_.waitForStarted(5000))
            return;
        if (QTest::qWaitFor([this] { return daemon_.canReadLine(); }, 5000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateSessionBus()
    {
        daemon_.terminate();
        daemon_.waitForFinished(3000);
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty when dbus-daemon did not start.
    QString address() const { return address_; }
    QDBusConnection connect(const QString& name) const { return QDBusConnection::connectToBus(address_, name); }

private:
    QProcess daemon_;
    QString address_;
};

// Stands in for the desktop's screen saver: records the calls and the
// inhibitions held.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    QStringList calls;
    QSet<uint> held;

    // Registers the service on `bus`; false when that fails.
    bool registerOn(QDBusConnection bus)
    {
        return bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), this,
                                  QDBusConnection::ExportAllSlots) &&
               bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"));
    }

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        calls << QStringLiteral("Inhibit %1: %2").arg(application, reason);
        held.insert(++lastCookie_);
        return lastCookie_;
    }
    void UnInhibit(uint cookie)
    {
        calls << QStringLiteral("UnInhibit %1").arg(cookie);
        held.remove(cookie);
    }

private:
    uint lastCookie_ = 41;
};

} // namespace zelktest
