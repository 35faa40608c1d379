#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace ZelkShell {

class PlayerWindow;

// The player on the session bus as an MPRIS2 media player, so that the
// desktop's media keys and media controls (and playerctl, phone remotes)
// drive it. What it reports comes from the engine's signals as they arrive;
// what it is asked goes to the engine and the window's play queue.
//
// Without a session bus it does nothing and says nothing: the player runs
// as it always did.
class MediaPlayerRemote : public QObject {
    Q_OBJECT

public:
    static constexpr const char* objectPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* baseServiceName = "org.mpris.MediaPlayer2.zelk_player";

    // `supportedMimeTypes` are the types the desktop entry offers the player for.
    MediaPlayerRemote(PlayerWindow& window, QStringList supportedMimeTypes,
                      const QDBusConnection& bus = QDBusConnection::sessionBus());

    // The bus name the player holds, once it does: the base name, or with an
    // instance suffix when another player holds that.
    QString serviceName() const { return serviceName_; }

    // The interfaces' properties as they stand (Position is read by the
    // adaptor itself: it is never announced).
    QVariantMap rootProperties() const;
    QVariantMap playerProperties() const;
    qlonglong positionMicroseconds() const;

    // The MPRIS calls.
    void raise();
    void quit();
    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();
    void seekBy(qlonglong offsetMicroseconds);
    void setPosition(const QString& trackId, qlonglong positionMicroseconds);
    void openUri(const QString& uri);
    void setVolume(double volume);
    void setRate(double rate);

signals:
    void serviceRegistered(const QString& name);
    // The engine moved to another place than playback would have reached.
    void seeked(qlonglong positionMicroseconds);

private:
    void requestName(const QString& name, bool withInstanceSuffixNext);
    void fileLoaded(const QString& file);
    void playbackRestarted();
    // Coalesces the changes of one turn of the event loop into one
    // PropertiesChanged per interface, with only the values that changed.
    void scheduleAnnouncement();
    void announceChanges();
    QString trackId() const;

    PlayerWindow& window_;
    QDBusConnection bus_;
    const QStringList supportedMimeTypes_;
    QString serviceName_;
    // What each interface last announced, to send only what changed.
    QVariantMap announcedRoot_;
    QVariantMap announcedPlayer_;
    bool announcementPending_ = false;
    // Counts the files loaded: each gets a track id of its own.
    int trackNumber_ = 0;
    QString currentFile_;
    // Files played before the current one, most recent last.
    QStringList history_;
    bool goingBack_ = false;
    // Stop pauses at the start; the status says Stopped until Play.
    bool stopped_ = false;
    // The first playback restart after a load is the start, not a seek.
    bool startPending_ = false;
};

} // namespace ZelkShell
