#pragma once

#include <QDBusConnection>
#include <QObject>

#include <memory>
#include <optional>

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
    // Releases a held inhibition, and one still being granted once it is.
    ~ScreenSaverInhibitor() override;

    void setInhibited(bool inhibited);
    // Whether the service granted an inhibition that is still held.
    bool holdsInhibition() const { return state_->cookie.has_value(); }
    bool serviceMissing() const { return state_->unavailable; }

private:
    // Shared with the answers on their way, which may arrive after the
    // inhibitor is gone and must still release what they bring.
    struct State {
        bool wanted = false;
        bool pending = false;
        bool unavailable = false;
        std::optional<uint> cookie;
    };

    void requestInhibit();

    QDBusConnection bus_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace ZelkShell
