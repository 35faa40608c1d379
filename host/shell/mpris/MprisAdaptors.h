#pragma once

// The two MPRIS2 interfaces on /org/mpris/MediaPlayer2, each a thin
// translation of D-Bus properties and methods to MediaPlayerRemote.

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

namespace ZelkShell {

class MediaPlayerRemote;

class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)

public:
    explicit MprisRootAdaptor(MediaPlayerRemote* remote);

    bool canQuit() const { return value("CanQuit").toBool(); }
    bool canRaise() const { return value("CanRaise").toBool(); }
    bool hasTrackList() const { return value("HasTrackList").toBool(); }
    QString identity() const { return value("Identity").toString(); }
    QString desktopEntry() const { return value("DesktopEntry").toString(); }
    QStringList supportedUriSchemes() const { return value("SupportedUriSchemes").toStringList(); }
    QStringList supportedMimeTypes() const { return value("SupportedMimeTypes").toStringList(); }

public slots:
    void Raise();
    void Quit();

private:
    QVariant value(const char* name) const;
    MediaPlayerRemote& remote_;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double MinimumRate READ minimumRate)
    Q_PROPERTY(double MaximumRate READ maximumRate)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)

public:
    explicit MprisPlayerAdaptor(MediaPlayerRemote* remote);

    QString playbackStatus() const { return value("PlaybackStatus").toString(); }
    double rate() const { return value("Rate").toDouble(); }
    void setRate(double rate);
    QVariantMap metadata() const { return value("Metadata").toMap(); }
    double volume() const { return value("Volume").toDouble(); }
    void setVolume(double volume);
    qlonglong position() const;
    double minimumRate() const { return value("MinimumRate").toDouble(); }
    double maximumRate() const { return value("MaximumRate").toDouble(); }
    bool canGoNext() const { return value("CanGoNext").toBool(); }
    bool canGoPrevious() const { return value("CanGoPrevious").toBool(); }
    bool canPlay() const { return value("CanPlay").toBool(); }
    bool canPause() const { return value("CanPause").toBool(); }
    bool canSeek() const { return value("CanSeek").toBool(); }
    bool canControl() const { return value("CanControl").toBool(); }

public slots:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
    void OpenUri(const QString& Uri);

signals:
    void Seeked(qlonglong Position);

private:
    QVariant value(const char* name) const;
    MediaPlayerRemote& remote_;
};

} // namespace ZelkShell
