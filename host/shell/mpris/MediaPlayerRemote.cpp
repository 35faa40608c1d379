#include "host/shell/mpris/MediaPlayerRemote.h"

#include "host/shell/behaviour/StoredPaths.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/mpris/MprisAdaptors.h"
#include "host/shell/window/PlayerWindow.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace ZelkShell {

namespace {

constexpr const char rootInterface[] = "org.mpris.MediaPlayer2";
constexpr const char playerInterface[] = "org.mpris.MediaPlayer2.Player";
constexpr const char noTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
constexpr double minimumRate = 0.25;
constexpr double maximumRate = 4.0;
constexpr double microseconds = 1e6;
// RequestName: fail at once rather than wait in the queue for the name;
// the answers that mean the name is ours.
constexpr uint doNotQueue = 4;
constexpr uint primaryOwner = 1;
constexpr uint alreadyOwner = 4;

// Metadata holds an object path, which QVariant cannot compare: compared
// through its text.
QString comparable(const QVariant& value)
{
    if (value.userType() != QMetaType::QVariantMap)
        return value.toString() + QLatin1Char('|') + QString::number(value.userType());
    QStringList parts;
    const QVariantMap map = value.toMap();
    for (auto entry = map.constBegin(); entry != map.constEnd(); ++entry) {
        const QVariant& item = entry.value();
        const QString text = item.userType() == qMetaTypeId<QDBusObjectPath>() ? item.value<QDBusObjectPath>().path()
                                                                                : item.toString();
        parts << entry.key() + QLatin1Char('=') + text;
    }
    return parts.join(QLatin1Char('\n'));
}

QVariantMap changedValues(const QVariantMap& now, QVariantMap* announced)
{
    QVariantMap changed;
    for (auto entry = now.constBegin(); entry != now.constEnd(); ++entry) {
        if (!announced->contains(entry.key()) || comparable(announced->value(entry.key())) != comparable(entry.value()))
            changed.insert(entry.key(), entry.value());
    }
    *announced = now;
    return changed;
}

} // namespace

MediaPlayerRemote::MediaPlayerRemote(PlayerWindow& window, QStringList supportedMimeTypes, const QDBusConnection& bus)
    : QObject(&window)
    , window_(window)
    , bus_(bus)
    , supportedMimeTypes_(std::move(supportedMimeTypes))
{
    if (!bus_.isConnected())
        return;
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
    if (!bus_.registerObject(QLatin1String(objectPath), this, QDBusConnection::ExportAdaptors)) {
        qWarning("zelk-player: the media player controls are not offered: %s",
                 qUtf8Printable(bus_.lastError().message()));
        return;
    }
    announcedRoot_ = rootProperties();
    announcedPlayer_ = playerProperties();
    PlaybackEngine& engine = window_.engine();
    connect(&engine, &PlaybackEngine::fileLoaded, this, &MediaPlayerRemote::fileLoaded);
    connect(&engine, &PlaybackEngine::playbackRestarted, this, &MediaPlayerRemote::playbackRestarted);
    connect(&engine, &PlaybackEngine::openFailed, this, &MediaPlayerRemote::scheduleAnnouncement);
    connect(&engine, &PlaybackEngine::endOfFile, this, &MediaPlayerRemote::scheduleAnnouncement);
    connect(&engine, &PlaybackEngine::pausedChanged, this, [this](bool paused) {
        // Played again from the window's own controls: no longer stopped.
        if (!paused)
            stopped_ = false;
        scheduleAnnouncement();
    });
    connect(&engine, &PlaybackEngine::durationChanged, this, &MediaPlayerRemote::scheduleAnnouncement);
    connect(&engine, &PlaybackEngine::volumeChanged, this, &MediaPlayerRemote::scheduleAnnouncement);
    connect(&engine, &PlaybackEngine::titleChanged, this, &MediaPlayerRemote::scheduleAnnouncement);
    connect(&engine, &PlaybackEngine::speedChanged, this, &MediaPlayerRemote::scheduleAnnouncement);
    requestName(QLatin1String(baseServiceName), true);
}

void MediaPlayerRemote::requestName(const QString& name, bool withInstanceSuffixNext)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                       QStringLiteral("/org/freedesktop/DBus"),
                                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    call << name << doNotQueue;
    // Asked without waiting: the window goes on starting meanwhile.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, name, withInstanceSuffixNext] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (!reply.isError() && (reply.value() == primaryOwner || reply.value() == alreadyOwner)) {
            serviceName_ = name;
            emit serviceRegistered(name);
        } else if (!reply.isError() && withInstanceSuffixNext) {
            // Another player holds the name: the MPRIS way to be a second one.
            requestName(name + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid()), false);
        } else {
            qWarning("zelk-player: the media player controls are not offered: %s",
                     reply.isError() ? qUtf8Printable(reply.error().message()) : "the bus name is taken");
        }
    });
}

QVariantMap MediaPlayerRemote::rootProperties() const
{
    return {
        {QStringLiteral("CanQuit"), true},
        {QStringLiteral("CanRaise"), true},
        {QStringLiteral("HasTrackList"), false},
        {QStringLiteral("Identity"), QGuiApplication::applicationDisplayName()},
        {QStringLiteral("DesktopEntry"), QGuiApplication::desktopFileName()},
        {QStringLiteral("SupportedUriSchemes"), QStringList{QStringLiteral("file"), QStringLiteral("http"),
                                                             QStringLiteral("https")}},
        {QStringLiteral("SupportedMimeTypes"), supportedMimeTypes_},
    };
}

QString MediaPlayerRemote::trackId() const
{
    return window_.engine().hasFile() ? QStringLiteral("/com/zelk/Player/Track/%1").arg(trackNumber_)
                                      : QLatin1String(noTrack);
}

QVariantMap MediaPlayerRemote::playerProperties() const
{
    const PlaybackEngine& engine = window_.engine();
    const bool hasFile = engine.hasFile();
    QVariantMap metadata{{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId()))}};
    if (hasFile) {
        const QUrl url(currentFile_);
        const bool isUrl = url.isValid() && currentFile_.contains(QLatin1String("://"));
        metadata.insert(QStringLiteral("xesam:url"),
                        isUrl ? currentFile_ : QUrl::fromLocalFile(currentFile_).toString(QUrl::FullyEncoded));
        if (!engine.title().isEmpty())
            metadata.insert(QStringLiteral("xesam:title"), engine.title());
        if (engine.duration() > 0)
            metadata.insert(QStringLiteral("mpris:length"), qlonglong(std::llround(engine.duration() * microseconds)));
    }
    const QString status = !hasFile || stopped_ ? QStringLiteral("Stopped")
                           : engine.isPaused()  ? QStringLiteral("Paused")
                                                : QStringLiteral("Playing");
    return {
        {QStringLiteral("PlaybackStatus"), status},
        {QStringLiteral("Rate"), engine.speed()},
        {QStringLiteral("Metadata"), metadata},
        {QStringLiteral("Volume"), engine.volume() / 100.0},
        {QStringLiteral("MinimumRate"), minimumRate},
        {QStringLiteral("MaximumRate"), maximumRate},
        {QStringLiteral("CanGoNext"), !window_.queuedFiles().isEmpty()},
        {QStringLiteral("CanGoPrevious"), !history_.isEmpty()},
        {QStringLiteral("CanPlay"), hasFile},
        {QStringLiteral("CanPause"), hasFile},
        {QStringLiteral("CanSeek"), hasFile},
        {QStringLiteral("CanControl"), true},
    };
}

qlonglong MediaPlayerRemote::positionMicroseconds() const
{
    return std::llround(window_.engine().position() * microseconds);
}

void MediaPlayerRemote::fileLoaded(const QString& file)
{
    if (goingBack_)
        goingBack_ = false;
    else if (!currentFile_.isEmpty() && currentFile_ != file)
        history_ << currentFile_;
    currentFile_ = file;
    ++trackNumber_;
    stopped_ = false;
    startPending_ = true;
    scheduleAnnouncement();
}

void MediaPlayerRemote::playbackRestarted()
{
    if (startPending_) {
        startPending_ = false;
        return;
    }
    emit seeked(positionMicroseconds());
}

void MediaPlayerRemote::scheduleAnnouncement()
{
    if (announcementPending_)
        return;
    announcementPending_ = true;
    QTimer::singleShot(0, this, &MediaPlayerRemote::announceChanges);
}

void MediaPlayerRemote::announceChanges()
{
    announcementPending_ = false;
    const auto announce = [this](const char* interface, const QVariantMap& changed) {
        if (changed.isEmpty())
            return;
        QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(objectPath),
                                                         QStringLiteral("org.freedesktop.DBus.Properties"),
                                                         QStringLiteral("PropertiesChanged"));
        signal << QLatin1String(interface) << changed << QStringList();
        bus_.send(signal);
    };
    announce(rootInterface, changedValues(rootProperties(), &announcedRoot_));
    announce(playerInterface, changedValues(playerProperties(), &announcedPlayer_));
}

void MediaPlayerRemote::raise()
{
    if (window_.isMinimized())
        window_.showNormal();
    window_.raise();
    window_.activateWindow();
}

void MediaPlayerRemote::quit()
{
    window_.close();
}

void MediaPlayerRemote::play()
{
    if (!window_.engine().hasFile())
        return;
    stopped_ = false;
    window_.engine().setPaused(false);
    scheduleAnnouncement();
}

void MediaPlayerRemote::pause()
{
    if (window_.engine().hasFile())
        window_.engine().setPaused(true);
}

void MediaPlayerRemote::playPause()
{
    if (stopped_ || window_.engine().isPaused())
        play();
    else
        pause();
}

void MediaPlayerRemote::stop()
{
    PlaybackEngine& engine = window_.engine();
    if (!engine.hasFile())
        return;
    // The file stays open at its start, as a stopped player shows it.
    engine.setPaused(true);
    engine.seek(0.0);
    stopped_ = true;
    scheduleAnnouncement();
}

void MediaPlayerRemote::next()
{
    const QStringList queued = window_.queuedFiles();
    if (!queued.isEmpty())
        window_.playFiles(queued);
}

void MediaPlayerRemote::previous()
{
    if (history_.isEmpty())
        return;
    QStringList files{history_.takeLast()};
    if (!currentFile_.isEmpty())
        files << currentFile_;
    goingBack_ = true;
    window_.playFiles(files + window_.queuedFiles());
    scheduleAnnouncement();
}

void MediaPlayerRemote::seekBy(qlonglong offsetMicroseconds)
{
    const PlaybackEngine& engine = window_.engine();
    if (!engine.hasFile())
        return;
    const double target = engine.position() + offsetMicroseconds / microseconds;
    if (engine.duration() > 0 && target >= engine.duration()) {
        // Past the end is the next entry; without one, nothing happens.
        next();
        return;
    }
    window_.engine().seek(std::max(0.0, target));
}

void MediaPlayerRemote::setPosition(const QString& trackId, qlonglong positionMicroseconds)
{
    const PlaybackEngine& engine = window_.engine();
    // A call meant for a track that is gone, or a place outside this one,
    // is ignored.
    if (!engine.hasFile() || trackId != this->trackId() || positionMicroseconds < 0
        || positionMicroseconds > std::llround(engine.duration() * microseconds))
        return;
    window_.engine().seek(positionMicroseconds / microseconds);
}

void MediaPlayerRemote::openUri(const QString& uri)
{
    const QUrl url(uri);
    QString name = uri;
    if (url.isLocalFile()) {
        // Refused as the command line refuses a name that is not text.
        const QByteArray raw = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!StoredPaths::isFaithful(raw)) {
            qWarning("zelk-player: %s", qUtf8Printable(StoredPaths::unrepresentableNameMessage(raw)));
            return;
        }
        name = url.toLocalFile();
    }
    // The rest as for a file named on the command line.
    window_.playFiles({name});
}

void MediaPlayerRemote::setVolume(double volume)
{
    if (std::isfinite(volume))
        window_.engine().setVolume(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100.0)));
}

void MediaPlayerRemote::setRate(double rate)
{
    if (!std::isfinite(rate))
        return;
    if (rate == 0.0) {
        pause();
        return;
    }
    const double clamped = std::clamp(rate, minimumRate, maximumRate);
    QString error;
    if (!window_.engine().setProperty("speed", QString::number(clamped), &error))
        qWarning("zelk-player: the playback speed was not changed: %s", qUtf8Printable(error));
}

} // namespace ZelkShell
