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

void logUnavailable(const QString& reason)
{
    qInfo("zelk-player: the screen saver cannot be disabled (%s)", qUtf8Printable(reason));
}

// A watcher deletes itself when its answer arrives. One whose answer never
// comes (the player quits first, the bus goes away) is owned by the
// application, so it is freed at exit instead of leaking.
QDBusPendingCallWatcher* watch(const QDBusPendingCall& call)
{
    return new QDBusPendingCallWatcher(call, QCoreApplication::instance());
}

void release(QDBusConnection bus, uint cookie)
{
    QDBusMessage call = screenSaverCall("UnInhibit");
    call << cookie;
    auto* watcher = watch(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher] {
        watcher->deleteLater();
        if (watcher->isError())
            qWarning("zelk-player: the screen saver inhibition was not released: %s",
                     qUtf8Printable(watcher->error().message()));
    });
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , bus_(bus)
{
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    setInhibited(false);
}

void ScreenSaverInhibitor::setInhibited(bool inhibited)
{
    State& state = *state_;
    state.wanted = inhibited;
    if (inhibited && !state.cookie && !state.pending && !state.unavailable) {
        requestInhibit();
    } else if (!inhibited && state.cookie) {
        release(bus_, *state.cookie);
        state.cookie.reset();
    }
}

void ScreenSaverInhibitor::requestInhibit()
{
    if (!bus_.isConnected()) {
        state_->unavailable = true;
        logUnavailable(QStringLiteral("no D-Bus session bus"));
        return;
    }
    QDBusMessage call = screenSaverCall("Inhibit");
    call << QCoreApplication::applicationName() << QStringLiteral("Playing a video");
    state_->pending = true;
    auto* watcher = watch(bus_.asyncCall(call));
    // The watcher, not this object, is the context: the answer is handled
    // even when the inhibitor is gone by then.
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, state = state_, bus = bus_] {
        watcher->deleteLater();
        state->pending = false;
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) {
            state->unavailable = true;
            logUnavailable(reply.error().message());
            return;
        }
        if (state->wanted)
            state->cookie = reply.value();
        else // paused, stopped or gone while the answer was on its way
            release(bus, reply.value());
    });
}

} // namespace ZelkShell
