#include "host/shell/behaviour/ScreenSaverInhibitor.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace ZelkShell {

namespace {

QDBusMessage screenSaverCall(const char* method)
{
    return QDBusMessage::createMethodCall(QLatin1String(ScreenSaverInhibitor::service),
                                          QLatin1String(ScreenSaverInhibitor::path),
                                          QLatin1String(ScreenSaverInhibitor::interface), QLatin1String(method));
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , bus_(bus)
{
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    wanted_ = false;
    if (cookie_) {
        QDBusMessage call = screenSaverCall("UnInhibit");
        call << *cookie_;
        // Sent, not awaited: the player is going away.
        bus_.send(call);
    }
}

void ScreenSaverInhibitor::setInhibited(bool inhibited)
{
    wanted_ = inhibited;
    if (inhibited && !cookie_ && !pending_ && !unavailable_)
        requestInhibit();
    else if (!inhibited && cookie_)
        release();
}

void ScreenSaverInhibitor::requestInhibit()
{
    if (!bus_.isConnected()) {
        giveUp(QStringLiteral("no D-Bus session bus"));
        return;
    }
    QDBusMessage call = screenSaverCall("Inhibit");
    call << QCoreApplication::applicationName() << QStringLiteral("Playing a video");
    pending_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &ScreenSaverInhibitor::inhibitAnswered);
}

void ScreenSaverInhibitor::inhibitAnswered(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    pending_ = false;
    const QDBusPendingReply<uint> reply = *call;
    if (reply.isError()) {
        giveUp(reply.error().message());
        return;
    }
    cookie_ = reply.value();
    emit inhibitionChanged(true);
    // Playback paused or stopped while the answer was on its way.
    if (!wanted_)
        release();
}

void ScreenSaverInhibitor::release()
{
    QDBusMessage call = screenSaverCall("UnInhibit");
    call << *cookie_;
    cookie_.reset();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher] {
        watcher->deleteLater();
        if (watcher->isError())
            qWarning("zelk-player: the screen saver inhibition was not released: %s",
                     qUtf8Printable(watcher->error().message()));
    });
    emit inhibitionChanged(false);
}

void ScreenSaverInhibitor::giveUp(const QString& reason)
{
    unavailable_ = true;
    qInfo("zelk-player: the screen saver cannot be disabled (%s)", qUtf8Printable(reason));
}

} // namespace ZelkShell
