#include "host/shell/mpris/MprisAdaptors.h"

#include "host/shell/mpris/MediaPlayerRemote.h"

namespace ZelkShell {

MprisRootAdaptor::MprisRootAdaptor(MediaPlayerRemote* remote)
    : QDBusAbstractAdaptor(remote)
    , remote_(*remote)
{
}

QVariant MprisRootAdaptor::value(const char* name) const
{
    return remote_.rootProperties().value(QLatin1String(name));
}

void MprisRootAdaptor::Raise()
{
    remote_.raise();
}

void MprisRootAdaptor::Quit()
{
    remote_.quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MediaPlayerRemote* remote)
    : QDBusAbstractAdaptor(remote)
    , remote_(*remote)
{
    connect(remote, &MediaPlayerRemote::seeked, this, &MprisPlayerAdaptor::Seeked);
}

QVariant MprisPlayerAdaptor::value(const char* name) const
{
    return remote_.playerProperties().value(QLatin1String(name));
}

void MprisPlayerAdaptor::setRate(double rate)
{
    remote_.setRate(rate);
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    remote_.setVolume(volume);
}

qlonglong MprisPlayerAdaptor::position() const
{
    return remote_.positionMicroseconds();
}

void MprisPlayerAdaptor::Next()
{
    remote_.next();
}

void MprisPlayerAdaptor::Previous()
{
    remote_.previous();
}

void MprisPlayerAdaptor::Pause()
{
    remote_.pause();
}

void MprisPlayerAdaptor::PlayPause()
{
    remote_.playPause();
}

void MprisPlayerAdaptor::Stop()
{
    remote_.stop();
}

void MprisPlayerAdaptor::Play()
{
    remote_.play();
}

void MprisPlayerAdaptor::Seek(qlonglong Offset)
{
    remote_.seekBy(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    remote_.setPosition(TrackId.path(), Position);
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri)
{
    remote_.openUri(Uri);
}

} // namespace ZelkShell
