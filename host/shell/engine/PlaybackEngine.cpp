#include "host/shell/engine/PlaybackEngine.h"

#include "host/shell/engine/OpenGlFrameRenderer.h"
#include "host/shell/engine/SoftwareFrameRenderer.h"
#include "host/shell/engine/VideoFilterCheck.h"

#include <mpv/client.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <vector>

namespace ZelkShell {

namespace {

QString engineError(int status)
{
    return QString::fromUtf8(mpv_error_string(status));
}

// Property-change events carry the property's name; these are observed.
constexpr const char positionProperty[] = "time-pos";
constexpr const char durationProperty[] = "duration";
constexpr const char pauseProperty[] = "pause";
constexpr const char volumeProperty[] = "volume";
constexpr const char widthProperty[] = "dwidth";
constexpr const char heightProperty[] = "dheight";
constexpr const char trackListProperty[] = "track-list";
constexpr const char eofProperty[] = "eof-reached";
constexpr const char subtitleTrackProperty[] = "sid";
// Observed, not read: a read waits for the engine's core, which may be busy
// opening a file.
constexpr const char videoCodecProperty[] = "current-tracks/video/codec";
// What the engine logs when a video filter fails on the first frames it gets
// (it then plays on without it).
constexpr const char failedFilterMessage[] = "Disabling filter ";

} // namespace

PlaybackEngine::PlaybackEngine(QObject* parent)
    : QObject(parent)
{
    // The engine parses numbers with the C library and refuses to start under
    // a locale whose decimal point is not ".".
    std::setlocale(LC_NUMERIC, "C");
    handle_ = mpv_create();
    if (!handle_)
        return;
    // Embedded: no configuration files, key bindings, terminal or on-screen
    // controller of the engine's own; the player provides all of that.
    for (const auto& [name, value] : std::vector<std::pair<const char*, const char*>>{
             {"config", "no"},
             {"terminal", "no"},
             {"input-default-bindings", "no"},
             {"input-vo-keyboard", "no"},
             {"osc", "no"},
             {"idle", "yes"},
             {"keep-open", "yes"},
             {"audio-fallback-to-null", "yes"},
             {"vo", "libmpv"},
         })
        mpv_set_option_string(handle_, name, value);
    mpv_set_wakeup_callback(handle_, &PlaybackEngine::wakeup, this);
}

PlaybackEngine::~PlaybackEngine()
{
    delete renderer_;
    renderer_ = nullptr;
    if (handle_)
        mpv_terminate_destroy(handle_);
}

bool PlaybackEngine::setOption(const char* name, const QString& value, QString* error)
{
    if (!handle_) {
        if (error)
            *error = tr("The playback engine could not be created.");
        return false;
    }
    const int status = mpv_set_option_string(handle_, name, value.toUtf8().constData());
    if (status < 0 && error)
        *error = QStringLiteral("%1=%2: %3").arg(QLatin1String(name), value, engineError(status));
    return status >= 0;
}

bool PlaybackEngine::initialize(QString* error)
{
    if (!handle_) {
        if (error)
            *error = tr("The playback engine could not be created.");
        return false;
    }
    const int status = mpv_initialize(handle_);
    if (status < 0) {
        if (error)
            *error = engineError(status);
        return false;
    }
    initialized_ = true;
    observe(positionProperty, MPV_FORMAT_DOUBLE);
    observe(durationProperty, MPV_FORMAT_DOUBLE);
    observe(pauseProperty, MPV_FORMAT_FLAG);
    observe(volumeProperty, MPV_FORMAT_DOUBLE);
    observe(widthProperty, MPV_FORMAT_INT64);
    observe(heightProperty, MPV_FORMAT_INT64);
    observe(trackListProperty, MPV_FORMAT_NONE);
    observe(eofProperty, MPV_FORMAT_FLAG);
    observe(subtitleTrackProperty, MPV_FORMAT_NONE);
    observe(videoCodecProperty, MPV_FORMAT_STRING);
    // Errors only: the one about a failed video filter is passed on.
    mpv_request_log_messages(handle_, "error");
    return true;
}

void PlaybackEngine::observe(const char* name, int format)
{
    mpv_observe_property(handle_, 0, name, static_cast<mpv_format>(format));
}

bool PlaybackEngine::setProperty(const char* name, const QString& value, QString* error)
{
    if (!handle_) {
        if (error)
            *error = tr("The playback engine could not be created.");
        return false;
    }
    const int status = initialized_ ? mpv_set_property_string(handle_, name, value.toUtf8().constData())
                                    : mpv_set_option_string(handle_, name, value.toUtf8().constData());
    if (status < 0 && error)
        *error = QStringLiteral("%1=%2: %3").arg(QLatin1String(name), value, engineError(status));
    return status >= 0;
}

QString PlaybackEngine::propertyString(const char* name) const
{
    if (!initialized_)
        return QString();
    char* value = mpv_get_property_string(handle_, name);
    if (!value)
        return QString();
    const QString text = QString::fromUtf8(value);
    mpv_free(value);
    return text;
}

double PlaybackEngine::propertyDouble(const char* name, double fallback) const
{
    double value = fallback;
    if (!initialized_ || mpv_get_property(handle_, name, MPV_FORMAT_DOUBLE, &value) < 0)
        return fallback;
    return value;
}

QStringList PlaybackEngine::setVideoFilters(const QStringList& filters)
{
    QStringList creatable;
    for (const QString& filter : filters) {
        QString error;
        if (engineCanCreateVideoFilter(filter, &error))
            creatable << filter;
        else
            qWarning("zelk-player: video filter left out: %s: %s", qUtf8Printable(filter), qUtf8Printable(error));
    }
    if (setProperty("vf", creatable.join(QLatin1Char(','))))
        return creatable;
    // The engine's own check of the list (filter names, its options) found
    // one: find it by adding them one at a time.
    QStringList accepted;
    for (const QString& filter : creatable) {
        QString error;
        if (setProperty("vf", (accepted + QStringList{filter}).join(QLatin1Char(',')), &error))
            accepted << filter;
        else
            qWarning("zelk-player: video filter left out: %s", qUtf8Printable(error));
    }
    setProperty("vf", accepted.join(QLatin1Char(',')));
    return accepted;
}

bool PlaybackEngine::command(const QStringList& arguments, QString* error)
{
    if (!initialized_) {
        if (error)
            *error = tr("The playback engine is not running.");
        return false;
    }
    std::vector<QByteArray> utf8;
    utf8.reserve(static_cast<std::size_t>(arguments.size()));
    for (const QString& argument : arguments)
        utf8.push_back(argument.toUtf8());
    std::vector<const char*> pointers;
    for (const QByteArray& argument : utf8)
        pointers.push_back(argument.constData());
    pointers.push_back(nullptr);
    const int status = mpv_command(handle_, pointers.data());
    if (status < 0 && error)
        *error = QStringLiteral("%1: %2").arg(arguments.join(QLatin1Char(' ')), engineError(status));
    return status >= 0;
}

SoftwareFrameRenderer* PlaybackEngine::softwareRenderer(QString* error)
{
    if (renderer_)
        return renderer_;
    if (!initialized_) {
        if (error)
            *error = tr("The playback engine is not running.");
        return nullptr;
    }
    auto* renderer = new SoftwareFrameRenderer(handle_, error);
    if (!renderer->isValid()) {
        delete renderer;
        return nullptr;
    }
    renderer_ = renderer;
    return renderer_;
}

std::unique_ptr<OpenGlFrameRenderer> PlaybackEngine::createOpenGlRenderer(void* (*getProcAddress)(void*, const char*),
                                                                          void* procContext, QString* error)
{
    if (!initialized_ || renderer_) {
        if (error)
            *error = initialized_ ? tr("The software renderer is in use.") : tr("The playback engine is not running.");
        return nullptr;
    }
    auto renderer = std::make_unique<OpenGlFrameRenderer>(handle_, getProcAddress, procContext, error);
    if (!renderer->isValid())
        return nullptr;
    return renderer;
}

bool PlaybackEngine::open(const QString& file, double startSeconds, bool paused)
{
    QString options = QStringLiteral("start=%1,pause=%2")
                          .arg(QString::number(std::max(0.0, startSeconds), 'f', 3),
                               paused ? QStringLiteral("yes") : QStringLiteral("no"));
    pendingFile_ = file;
    fileLoaded_ = false;
    QString error;
    if (!command({QStringLiteral("loadfile"), file, QStringLiteral("replace"), options}, &error)) {
        emit openFailed(file, error);
        return false;
    }
    return true;
}

void PlaybackEngine::setPaused(bool paused)
{
    setProperty(pauseProperty, paused ? QStringLiteral("yes") : QStringLiteral("no"));
}

void PlaybackEngine::togglePause()
{
    setPaused(!paused_);
}

void PlaybackEngine::seek(double seconds, bool exact)
{
    command({QStringLiteral("seek"), QString::number(std::max(0.0, seconds), 'f', 3), QStringLiteral("absolute"),
             exact ? QStringLiteral("exact") : QStringLiteral("keyframes")});
}

void PlaybackEngine::seekRelative(double seconds)
{
    command({QStringLiteral("seek"), QString::number(seconds, 'f', 3), QStringLiteral("relative")});
}

void PlaybackEngine::setVolume(int percent)
{
    setProperty(volumeProperty, QString::number(std::clamp(percent, 0, 100)));
}

void PlaybackEngine::stop()
{
    command({QStringLiteral("stop")});
}

void PlaybackEngine::wakeup(void* self)
{
    // Called on an engine thread: only ask our own thread to drain the queue.
    auto* engine = static_cast<PlaybackEngine*>(self);
    engine->drain_.request(engine, [engine] { engine->drainEvents(); });
}

void PlaybackEngine::drainEvents()
{
    while (handle_) {
        mpv_event* event = mpv_wait_event(handle_, 0);
        if (!event || event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
}

void PlaybackEngine::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        fileLoaded_ = false;
        break;
    case MPV_EVENT_FILE_LOADED:
        fileLoaded_ = true;
        currentFile_ = pendingFile_;
        refreshTrackInfo();
        emit fileLoaded(currentFile_);
        break;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        if (end && end->reason == MPV_END_FILE_REASON_ERROR) {
            fileLoaded_ = false;
            emit openFailed(pendingFile_, engineError(end->error));
        }
        break;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        emit playbackRestarted();
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        handlePropertyChange(event);
        break;
    case MPV_EVENT_LOG_MESSAGE:
        handleLogMessage(event);
        break;
    case MPV_EVENT_SHUTDOWN:
        emit errorOccurred(tr("The playback engine stopped."));
        break;
    default:
        break;
    }
}

void PlaybackEngine::handlePropertyChange(const mpv_event& event)
{
    const auto* property = static_cast<const mpv_event_property*>(event.data);
    if (!property || !property->name)
        return;
    const QByteArray name(property->name);
    const bool hasValue = property->format != MPV_FORMAT_NONE && property->data;
    if (name == positionProperty) {
        position_ = hasValue ? *static_cast<double*>(property->data) : 0.0;
        emit positionChanged(position_);
    } else if (name == durationProperty) {
        duration_ = hasValue ? *static_cast<double*>(property->data) : 0.0;
        emit durationChanged(duration_);
    } else if (name == pauseProperty && hasValue) {
        paused_ = *static_cast<int*>(property->data) != 0;
        emit pausedChanged(paused_);
    } else if (name == volumeProperty && hasValue) {
        volume_ = static_cast<int>(std::lround(*static_cast<double*>(property->data)));
        emit volumeChanged(volume_);
    } else if (name == widthProperty || name == heightProperty) {
        const int value = hasValue ? static_cast<int>(*static_cast<int64_t*>(property->data)) : 0;
        QSize size = videoSize_;
        if (name == widthProperty)
            size.setWidth(value);
        else
            size.setHeight(value);
        if (size != videoSize_) {
            videoSize_ = size;
            if (!videoSize_.isEmpty())
                emit videoSizeChanged(videoSize_);
        }
    } else if (name == trackListProperty || name == subtitleTrackProperty) {
        refreshTrackInfo();
        emit trackListChanged();
    } else if (name == eofProperty && hasValue && *static_cast<int*>(property->data)) {
        emit endOfFile();
    } else if (name == videoCodecProperty) {
        const QString codec = hasValue ? QString::fromUtf8(*static_cast<char**>(property->data)) : QString();
        if (codec != videoCodec_) {
            videoCodec_ = codec;
            emit videoCodecChanged(videoCodec_);
        }
    }
}

void PlaybackEngine::handleLogMessage(const mpv_event& event)
{
    const auto* message = static_cast<const mpv_event_log_message*>(event.data);
    if (!message || !message->text)
        return;
    const QString text = QString::fromUtf8(message->text).trimmed();
    if (text.startsWith(QLatin1String(failedFilterMessage)))
        qWarning("zelk-player: video filter left out: %s", qUtf8Printable(text));
}

void PlaybackEngine::refreshTrackInfo()
{
    const double fps = propertyDouble("container-fps", 0.0);
    frameRate_ = std::isfinite(fps) && fps > 0 ? fps : 0.0;
    subtitleCodec_ = propertyString("current-tracks/sub/codec");
}

} // namespace ZelkShell
