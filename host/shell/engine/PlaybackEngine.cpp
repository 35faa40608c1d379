#include "host/shell/engine/PlaybackEngine.h"

#include "host/shell/engine/AudioOutputChoice.h"
#include "host/shell/engine/OpenGlFrameRenderer.h"
#include "host/shell/engine/SoftwareFrameRenderer.h"
#include "host/shell/engine/VideoFilterCheck.h"
#include "host/shell/engine/SubtitleFilesBeside.h"

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
// The title tag, else the file's name; the playback speed.
constexpr const char titleProperty[] = "media-title";
constexpr const char speedProperty[] = "speed";
// Observed, not read: a read waits for the engine's core, which may be busy
// opening a file.
constexpr const char videoCodecProperty[] = "current-tracks/video/codec";
// What the engine logs when a video filter fails on the first frames it gets
// (it then plays on without it).
constexpr const char failedFilterMessage[] = "Disabling filter ";
constexpr const char frameRateProperty[] = "container-fps";
constexpr const char subtitleCodecProperty[] = "current-tracks/sub/codec";
// Read once a file is loaded, without waiting for the engine: the replies
// come as events, tagged with the entry id and the fact's place here.
constexpr const char* loadedFacts[] = {durationProperty, frameRateProperty, subtitleCodecProperty};
constexpr int loadedFactCount = 3;

// Tags the replies to the subtitle files added after a video opened.
constexpr uint64_t lateSubtitleReply = 1;

// Run before the engine opens each entry; the player may refuse it there.
constexpr const char loadHook[] = "on_load";
constexpr const char openedNameProperty[] = "stream-open-filename";
// What a refused entry is opened as instead: no protocol has this name, so
// the open fails at once without touching the network.
constexpr const char refusedTarget[] = "zelk-refused://";

// A name the engine would fetch over a network (http://, rtsp://, ...): a
// URL whose scheme is not "file". Drive letters are no schemes.
bool isNetworkName(const QString& name)
{
    const int colon = name.indexOf(QLatin1String("://"));
    if (colon < 2)
        return false;
    const QString scheme = name.left(colon).toLower();
    return scheme != QLatin1String("file");
}

double doubleOf(const mpv_event_property& property, double fallback)
{
    if (property.format != MPV_FORMAT_DOUBLE || !property.data)
        return fallback;
    const double value = *static_cast<double*>(property.data);
    return std::isfinite(value) ? value : fallback;
}

QString stringOf(const mpv_event_property& property)
{
    if (property.format != MPV_FORMAT_STRING || !property.data)
        return QString();
    return QString::fromUtf8(*static_cast<char**>(property.data));
}

} // namespace

PlaybackEngine::PlaybackEngine(QObject* parent)
    : QObject(parent)
{
    // The engine parses numbers with the C library and refuses to start under
    // a locale whose decimal point is not ".".
    std::setlocale(LC_NUMERIC, "C");
    core_ = EngineCore::create();
    if (!core_)
        return;
    handle_ = core_->handle();
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
             // Entries of a playlist fetched from a network never name local
             // files (the engine's default, relied on here).
             {"load-unsafe-playlists", "no"},
             // No helper program that fetches web videos for URLs.
             {"ytdl", "no"},
             {"vo", "libmpv"},
         })
        mpv_set_option_string(handle_, name, value);
    const QString audioOutputs = audioOutputChoice();
    if (mpv_set_option_string(handle_, "ao", audioOutputs.toUtf8().constData()) < 0)
        qWarning("zelk-player: the playback engine has none of the audio outputs %s; it tries its own",
                 qUtf8Printable(audioOutputs));
    mpv_set_wakeup_callback(handle_, &PlaybackEngine::wakeup, this);
}

PlaybackEngine::~PlaybackEngine()
{
    if (!core_)
        return;
    // A render context may keep the engine running a little longer: from
    // now on it must not call into this object.
    mpv_set_wakeup_callback(handle_, nullptr, nullptr);
    delete renderer_;
    renderer_ = nullptr;
    handle_ = nullptr;
    core_.reset();
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
    observe(titleProperty, MPV_FORMAT_STRING);
    observe(speedProperty, MPV_FORMAT_DOUBLE);
    observe(videoCodecProperty, MPV_FORMAT_STRING);
    // Errors only: the one about a failed video filter is passed on.
    mpv_request_log_messages(handle_, "error");
    observe(frameRateProperty, MPV_FORMAT_DOUBLE);
    observe(subtitleCodecProperty, MPV_FORMAT_STRING);
    if (mpv_hook_add(handle_, 0, loadHook, 0) < 0)
        qWarning("zelk-player: the playback engine cannot check playlist entries before opening them");
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
    if (status >= 0 && qstrcmp(name, "sub-auto") == 0)
        externalSubtitleSearch_ = value;
    else if (status >= 0 && qstrcmp(name, "sid") == 0)
        subtitleTrackChoice_ = value;
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
    auto* renderer = new SoftwareFrameRenderer(core_, error);
    if (!renderer->isValid()) {
        delete renderer;
        return nullptr;
    }
    renderer_ = renderer;
    return renderer_;
}

std::unique_ptr<OpenGlFrameRenderer> PlaybackEngine::createOpenGlRenderer(const OpenGlPlatform& platform,
                                                                          QString* error)
{
    if (!initialized_ || renderer_) {
        if (error)
            *error = initialized_ ? tr("The software renderer is in use.") : tr("The playback engine is not running.");
        return nullptr;
    }
    auto renderer = std::make_unique<OpenGlFrameRenderer>(core_, platform, error);
    if (!renderer->isValid())
        return nullptr;
    return renderer;
}

bool PlaybackEngine::open(const QString& file, double startSeconds, bool paused)
{
    QString options = QStringLiteral("start=%1,pause=%2")
                          .arg(QString::number(std::max(0.0, startSeconds), 'f', 3),
                               paused ? QStringLiteral("yes") : QStringLiteral("no"));
    // The engine reads the subtitle files it finds beside a video before
    // the video starts. A large one (hundreds of megabytes of text) would
    // keep the picture away for seconds: such files are added once the
    // video shows, read on the engine's own thread.
    QStringList lateSubtitles;
    if (externalSubtitleSearch_ == QLatin1String("exact") && !isNetworkName(file)) {
        lateSubtitles = subtitleFilesBeside(file);
        if (holdsUpTheVideo(lateSubtitles))
            options += QStringLiteral(",sub-auto=no");
        else
            lateSubtitles.clear();
    }
    fileLoaded_ = false;
    if (!initialized_) {
        emit openFailed(file, tr("The playback engine is not running."));
        return false;
    }
    const QByteArray name = file.toUtf8();
    const QByteArray optionText = options.toUtf8();
    const char* arguments[] = {"loadfile", name.constData(), "replace", optionText.constData(), nullptr};
    mpv_node result;
    const int status = mpv_command_ret(handle_, arguments, &result);
    if (status < 0) {
        emit openFailed(file, engineError(status));
        return false;
    }
    int64_t id = 0;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        for (int i = 0; i < result.u.list->num; ++i) {
            if (qstrcmp(result.u.list->keys[i], "playlist_entry_id") == 0
                && result.u.list->values[i].format == MPV_FORMAT_INT64)
                id = result.u.list->values[i].u.int64;
        }
    }
    mpv_free_node_contents(&result);
    // Everything older is what this file replaces (kept until the engine
    // has moved past it, for what it may still report).
    currentEntryFloor_ = id;
    entries_.insert(id, Entry{file, false, true, QString(), lateSubtitles});
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
    case MPV_EVENT_START_FILE: {
        const auto* start = static_cast<const mpv_event_start_file*>(event.data);
        startedEntry_ = start ? start->playlist_entry_id : -1;
        loadedFactsPending_ = 0;
        // The engine plays its entries in order, one at a time: the older
        // ones have ended, or were replaced before they started.
        for (auto it = entries_.begin(); it != entries_.end();)
            it = it.key() < startedEntry_ ? entries_.erase(it) : std::next(it);
        fileLoaded_ = false;
        break;
    }
    case MPV_EVENT_HOOK:
        handleLoadHook(event);
        break;
    case MPV_EVENT_FILE_LOADED:
        // Loaded is announced once its facts are in: they are asked for
        // without waiting, since the engine may still be busy loading (a
        // large subtitle file) and the window must not wait with it.
        if (!isCurrentEntry(startedEntry_))
            break;
        addLateSubtitles(entries_.value(startedEntry_).lateSubtitles);
        loadedFactsPending_ = loadedFactCount;
        for (int fact = 0; fact < loadedFactCount; ++fact) {
            const mpv_format format = fact == 2 ? MPV_FORMAT_STRING : MPV_FORMAT_DOUBLE;
            mpv_get_property_async(handle_, static_cast<uint64_t>(startedEntry_) * loadedFactCount + fact,
                                   loadedFacts[fact], format);
        }
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY:
        handleLoadedFacts(event);
        break;
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata == lateSubtitleReply && event.error < 0)
            qWarning("zelk-player: a subtitle file beside the video could not be read: %s",
                     qUtf8Printable(engineError(event.error)));
        break;
    case MPV_EVENT_END_FILE:
        handleEndFile(event);
        break;
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

void PlaybackEngine::handleLoadHook(const mpv_event& event)
{
    const auto* hook = static_cast<const mpv_event_hook*>(event.data);
    if (!hook)
        return;
    // The engine waits for the answer, so reading its state here is quick.
    auto entry = entries_.find(startedEntry_);
    if (entry != entries_.end() && isCurrentEntry(startedEntry_) && entry->fromPlaylist) {
        char* name = mpv_get_property_string(handle_, openedNameProperty);
        entry->file = name ? QString::fromUtf8(name) : QString();
        mpv_free(name);
        // A local file may name other local files only: the user opened no
        // URL, so nothing may reach the network on their behalf.
        if (entry->local && isNetworkName(entry->file)) {
            entry->refusal = tr("a local playlist may not open network addresses");
            mpv_set_property_string(handle_, openedNameProperty, refusedTarget);
        }
    }
    mpv_hook_continue(handle_, hook->id);
}

void PlaybackEngine::handleLoadedFacts(const mpv_event& event)
{
    const auto* property = static_cast<const mpv_event_property*>(event.data);
    const int64_t entry = static_cast<int64_t>(event.reply_userdata / loadedFactCount);
    const int fact = static_cast<int>(event.reply_userdata % loadedFactCount);
    if (!property || entry != startedEntry_ || loadedFactsPending_ <= 0)
        return;
    if (fact == 0)
        duration_ = std::max(0.0, doubleOf(*property, 0.0));
    else if (fact == 1)
        frameRate_ = std::max(0.0, doubleOf(*property, 0.0));
    else
        subtitleCodec_ = stringOf(*property);
    if (--loadedFactsPending_ > 0 || !isCurrentEntry(entry))
        return;
    fileLoaded_ = true;
    currentFile_ = entries_.value(entry).file;
    emit fileLoaded(currentFile_);
}

void PlaybackEngine::handleEndFile(const mpv_event& event)
{
    const auto* end = static_cast<const mpv_event_end_file*>(event.data);
    if (!end)
        return;
    const int64_t id = end->playlist_entry_id;
    if (!entries_.contains(id))
        return;
    const bool current = isCurrentEntry(id);
    const Entry entry = entries_.take(id);
    if (id == startedEntry_)
        fileLoaded_ = false;
    if (end->reason == MPV_END_FILE_REASON_REDIRECT && current && end->playlist_insert_num_entries > 0) {
        // A playlist: its entries are the player's too, each under its own
        // name (known when it opens).
        for (int i = 0; i < end->playlist_insert_num_entries; ++i)
            entries_.insert(end->playlist_insert_id + i,
                            Entry{QString(), true, !isNetworkName(entry.file), QString(), QStringList()});
        return;
    }
    if (end->reason != MPV_END_FILE_REASON_ERROR)
        return;
    const QString reason = entry.refusal.isEmpty() ? engineError(end->error) : entry.refusal;
    // A file already replaced is not reported against the one now opening.
    if (current)
        emit openFailed(entry.file, reason);
    else
        qWarning("zelk-player: \"%s\" could not be played: %s", qUtf8Printable(entry.file), qUtf8Printable(reason));
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
    } else if (name == trackListProperty) {
        emit trackListChanged();
    } else if (name == titleProperty) {
        title_ = stringOf(*property);
        emit titleChanged(title_);
    } else if (name == speedProperty && hasValue) {
        speed_ = doubleOf(*property, 1.0);
        emit speedChanged(speed_);
    } else if (name == frameRateProperty) {
        setTrackFacts(std::max(0.0, doubleOf(*property, 0.0)), subtitleCodec_);
    } else if (name == subtitleCodecProperty) {
        setTrackFacts(frameRate_, stringOf(*property));
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

void PlaybackEngine::addLateSubtitles(const QStringList& files)
{
    // Selected as the engine's own search would, unless no subtitle is
    // wanted; the reply comes when the file has been read.
    const char* selection = subtitleTrackChoice_ == QLatin1String("no") ? "auto" : "select";
    for (const QString& file : files) {
        const QByteArray name = file.toUtf8();
        const char* arguments[] = {"sub-add", name.constData(), selection, nullptr};
        if (mpv_command_async(handle_, lateSubtitleReply, arguments) < 0)
            qWarning("zelk-player: the subtitle file %s could not be added", qUtf8Printable(file));
    }
}

void PlaybackEngine::setTrackFacts(double frameRate, const QString& subtitleCodec)
{
    if (frameRate == frameRate_ && subtitleCodec == subtitleCodec_)
        return;
    frameRate_ = frameRate;
    subtitleCodec_ = subtitleCodec;
    emit trackListChanged();
}

} // namespace ZelkShell
