#pragma once

#include <QDBusConnection>
#include <QObject>

#include <optional>

class QDBusPendingCallWatcher;

namespace ZelkShell {

// Keeps the screen saver off while asked to, through the freedesktop
// ScreenSaver service on the session bus (Inhibit / UnInhibit). Calls are
// asynchronous, so a slow or absent service never blocks the player. Without
// a bus or a service it logs one line and does nothing more.
class ScreenSaverInhibitor : public QObject {
    Q_OBJECT

public:
    static constexpr const char* service = "org.freedesktop.ScreenSaver";
    static constexpr const char* path = "/org/freedesktop/ScreenSaver";
    static constexpr const char* interface = "org.freedesktop.ScreenSaver";

    explicit ScreenSaverInhibitor(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    // Releases a held inhibition.
    ~ScreenSaverInhibitor() override;

    void setInhibited(bool inhibited);
    // Whether the service granted an inhibition that is still held.
    bool holdsInhibition() const { return cookie_.has_value(); }
    bool serviceMissing() const { return unavailable_; }

signals:
    void inhibitionChanged(bool held);

private:
    void requestInhibit();
    void inhibitAnswered(QDBusPendingCallWatcher* call);
    void release();
    void giveUp(const QString& reason);

    QDBusConnection bus_;
    bool wanted_ = false;
    bool pending_ = false;
    bool unavailable_ = false;
    std::optional<uint> cookie_;
};

} // namespace ZelkShell
