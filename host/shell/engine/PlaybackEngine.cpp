#include "host/shell/engine/PlaybackEngine.h"

#include "host/shell/engine/AudioOutputChoice.h"
#include "host/shell/engine/EngineRequests.h"
#include "host/shell/engine/OpenGlFrameRenderer.h"
#include "host/shell/engine/PlaylistEntryCheck.h"
#include "host/shell/engine/SoftwareFrameRenderer.h"
#include "host/shell/engine/VideoCodecForecast.h"
#include "host/shell/engine/VideoFilterChain.h"

#include <QElapsedTimer>

#include <mpv/client.h>

#include <algorithm>
#include <clocale>
#include <vector>

namespace ZelkShell {

namespace {

// What the engine logs when a video filter fails on the first frames it gets
// (it then plays on without it).
constexpr const char failedFilterMessage[] = "Disabling filter ";

QString onOff(bool on)
{
    return on ? QStringLiteral("yes") : QStringLiteral("no");
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
    requests_ = std::make_unique<EngineRequests>(handle_);
    entryCheck_ = std::make_unique<PlaylistEntryCheck>(handle_, *requests_, entries_);
    codecForecast_ = std::make_unique<VideoCodecForecast>(handle_, *requests_, [this](const QString& codec) {
        // Those following the codec send their settings now, before the
        // decoder starts.
        if (!codec.isEmpty() && codec != state_.videoCodec) {
            state_.videoCodec = codec;
            emit videoCodecChanged(codec);
        }
    });
    filters_ = std::make_unique<VideoFilterChain>(*requests_);
    lateSubtitles_ = std::make_unique<LateSubtitles>(*requests_);
    connect(lateSubtitles_.get(), &LateSubtitles::subtitleRefused, this, &PlaybackEngine::subtitleRefused);
    mpv_set_wakeup_callback(handle_, &PlaybackEngine::wakeup, this);
}

PlaybackEngine::~PlaybackEngine()
{
    if (!core_)
        return;
    // A render context may keep the engine running a little longer: from
    // now on it must not call into this object.
    mpv_set_wakeup_callback(handle_, nullptr, nullptr);
    renderer_.reset();
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
    if (initialized_)
        return setProperty(name, value, error);
    const int status = mpv_set_option_string(handle_, name, value.toUtf8().constData());
    if (status < 0 && error)
        *error = QStringLiteral("%1=%2: %3").arg(QLatin1String(name), value, engineErrorText(status));
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
            *error = engineErrorText(status);
        return false;
    }
    initialized_ = true;
    PlaybackState::observe(handle_);
    // Errors only: the one about a failed video filter is passed on.
    mpv_request_log_messages(handle_, "error");
    if (!entryCheck_->install())
        qWarning("zelk-player: the playback engine cannot check playlist entries before opening them");
    if (!codecForecast_->install())
        qWarning("zelk-player: the playback engine cannot tell a video's codec before decoding it");
    return true;
}

bool PlaybackEngine::setProperty(const char* name, const QString& value, QString* error)
{
    if (!handle_) {
        if (error)
            *error = tr("The playback engine could not be created.");
        return false;
    }
    if (qstrcmp(name, "sub-auto") == 0)
        externalSubtitleSearch_ = value;
    else if (qstrcmp(name, "sid") == 0)
        subtitleTrackChoice_ = value;
    if (!initialized_)
        return setOption(name, value, error);
    requests_->setProperty(QByteArray(name), value);
    return true;
}

void PlaybackEngine::settleRequests()
{
    // The engine may run asynchronous requests after a read sent later.
    constexpr int settleLimitMs = 10000;
    if (handlingEvents_ || !initialized_)
        return;
    QElapsedTimer clock;
    clock.start();
    handlingEvents_ = true;
    while (requests_->ordersPending() && clock.elapsed() < settleLimitMs) {
        const mpv_event* event = mpv_wait_event(handle_, 0.05);
        if (event && event->event_id != MPV_EVENT_NONE)
            handleEvent(*event);
    }
    handlingEvents_ = false;
}

QString PlaybackEngine::propertyString(const char* name) const
{
    if (!initialized_)
        return QString();
    const_cast<PlaybackEngine*>(this)->settleRequests();
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
    if (initialized_)
        const_cast<PlaybackEngine*>(this)->settleRequests();
    if (!initialized_ || mpv_get_property(handle_, name, MPV_FORMAT_DOUBLE, &value) < 0)
        return fallback;
    return value;
}

QStringList PlaybackEngine::setVideoFilters(const QStringList& filters)
{
    return initialized_ ? filters_->set(filters) : QStringList();
}

bool PlaybackEngine::command(const QStringList& arguments, QString* error)
{
    if (!initialized_) {
        if (error)
            *error = tr("The playback engine is not running.");
        return false;
    }
    requests_->command(arguments);
    return true;
}

bool PlaybackEngine::commandInBackground(const QStringList& arguments)
{
    if (!initialized_)
        return false;
    requests_->commandInBackground(arguments);
    return true;
}

void PlaybackEngine::restartVideoDecoder()
{
    if (!initialized_ || state_.videoTrackId <= 0 || codecForecast_->decoderStarting())
        return;
    // The engine has no command for it: the track is taken off and put back.
    const QString track = QString::number(state_.videoTrackId);
    requests_->setProperty("vid", QStringLiteral("no"));
    requests_->setProperty("vid", track);
}

SoftwareFrameRenderer* PlaybackEngine::softwareRenderer(QString* error)
{
    if (renderer_)
        return renderer_.get();
    if (!initialized_) {
        if (error)
            *error = tr("The playback engine is not running.");
        return nullptr;
    }
    std::unique_ptr<SoftwareFrameRenderer> renderer = SoftwareFrameRenderer::make(core_, error);
    if (!renderer->isValid())
        return nullptr;
    renderer_ = std::move(renderer);
    return renderer_.get();
}

std::unique_ptr<OpenGlFrameRenderer> PlaybackEngine::createOpenGlRenderer(const OpenGlPlatform& platform,
                                                                          QString* error)
{
    if (!initialized_ || renderer_) {
        if (error)
            *error = initialized_ ? tr("The software renderer is in use.") : tr("The playback engine is not running.");
        return nullptr;
    }
    std::unique_ptr<OpenGlFrameRenderer> renderer = OpenGlFrameRenderer::make(core_, platform, error);
    if (!renderer->isValid())
        return nullptr;
    return renderer;
}

bool PlaybackEngine::open(const QString& file, double startSeconds, bool paused)
{
    fileLoaded_ = false;
    // Until the engine names the new entry, what the old one still reports
    // is not this file's.
    entries_.opening();
    if (!initialized_) {
        emit openFailed(file, tr("The playback engine is not running."));
        return false;
    }
    const QString options = QStringLiteral("start=%1,pause=%2")
                                .arg(QString::number(std::max(0.0, startSeconds), 'f', 3), onOff(paused));
    const int openCount = ++openCount_;
    if (externalSubtitleSearch_ != QLatin1String("exact") || isNetworkName(file)) {
        load(file, options, LateSubtitles::Plan());
        return true;
    }
    lateSubtitles_->plan(file, [this, file, options, openCount](const LateSubtitles::Plan& plan) {
        if (openCount == openCount_)
            load(file, options, plan);
    });
    return true;
}

void PlaybackEngine::load(const QString& file, QString options, const LateSubtitles::Plan& plan)
{
    if (!plan.engineOption.isEmpty())
        options += QLatin1Char(',') + plan.engineOption;
    const int openCount = openCount_;
    requests_->commandWithResult(
        {QStringLiteral("loadfile"), file, QStringLiteral("replace"), options},
        [this, file, plan, openCount](const mpv_event& reply) {
            if (reply.error < 0) {
                if (openCount == openCount_)
                    emit openFailed(file, engineErrorText(reply.error));
                return;
            }
            const auto* command = static_cast<const mpv_event_command*>(reply.data);
            const mpv_node* entryId = command ? nodeMember(command->result, "playlist_entry_id") : nullptr;
            const int64_t id = entryId && entryId->format == MPV_FORMAT_INT64 ? entryId->u.int64 : 0;
            const PlaylistEntries::Entry entry{file, false, true, QString(), plan.late, plan.refused};
            if (openCount == openCount_)
                entries_.opened(id, entry);
            else // what it reports is logged under its own name
                entries_.openedReplaced(id, entry);
        });
}

void PlaybackEngine::setPaused(bool paused)
{
    setProperty("pause", onOff(paused));
}

void PlaybackEngine::togglePause()
{
    setPaused(!state_.paused);
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
    setProperty("volume", QString::number(std::clamp(percent, 0, 100)));
}

void PlaybackEngine::loadRefusedSubtitle(const QString& file)
{
    if (initialized_)
        lateSubtitles_->loadAnyway(file);
}

void PlaybackEngine::wakeup(void* self)
{
    // Called on an engine thread: only ask our own thread to handle the
    // waiting events.
    auto* engine = static_cast<PlaybackEngine*>(self);
    engine->eventsWaiting_.request(engine, [engine] { engine->handleWaitingEvents(); });
}

void PlaybackEngine::handleWaitingEvents()
{
    if (handlingEvents_)
        return; // a read settling requests handles them
    handlingEvents_ = true;
    while (handle_) {
        const mpv_event* event = mpv_wait_event(handle_, 0);
        if (!event || event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
    handlingEvents_ = false;
}

void PlaybackEngine::handleEvent(const mpv_event& event)
{
    if (requests_->handleReply(event) || entryCheck_->handle(event) || codecForecast_->handle(event))
        return;
    switch (event.event_id) {
    case MPV_EVENT_START_FILE: {
        const auto* start = static_cast<const mpv_event_start_file*>(event.data);
        entries_.started(start ? start->playlist_entry_id : -1);
        fileLoaded_ = false;
        break;
    }
    case MPV_EVENT_FILE_LOADED:
        handleFileLoaded();
        break;
    case MPV_EVENT_END_FILE:
        handleEndFile(event);
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        // The position's own change may come after the restart: it is read
        // first, so that whoever follows the restart sees where it is.
        requests_->getProperty(positionProperty, MPV_FORMAT_DOUBLE, [this](const mpv_event& reply) {
            const auto* position = reply.error >= 0 ? static_cast<const mpv_event_property*>(reply.data) : nullptr;
            if (position && position->format == MPV_FORMAT_DOUBLE) {
                state_.position = doubleOf(*position, state_.position);
                emit positionChanged(state_.position);
            }
            emit playbackRestarted();
        });
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

void PlaybackEngine::handleFileLoaded()
{
    // Loaded is announced once its facts are in: they are asked for
    // without waiting, since the engine may still be busy loading (a large
    // subtitle file) and the window must not wait with it.
    const int64_t started = entries_.startedId();
    if (!entries_.isCurrent(started))
        return;
    // Selected as the engine's own search would, unless no subtitle is
    // wanted.
    lateSubtitles_->add(entries_.value(started).lateSubtitles, subtitleTrackChoice_ != QLatin1String("no"));
    struct Facts {
        double duration = 0.0;
        double frameRate = 0.0;
        QString subtitleCodec;
        int pending = 3;
    };
    auto facts = std::make_shared<Facts>();
    const auto answered = [this, started, facts] {
        if (--facts->pending > 0 || started != entries_.startedId() || !entries_.isCurrent(started))
            return;
        state_.setLoadedFacts(facts->duration, facts->frameRate, facts->subtitleCodec);
        fileLoaded_ = true;
        currentFile_ = entries_.value(started).file;
        emit fileLoaded(currentFile_);
        lateSubtitles_->refuse(entries_.value(started).refusedSubtitles);
    };
    const auto property = [](const mpv_event& reply) {
        return reply.error >= 0 ? static_cast<const mpv_event_property*>(reply.data) : nullptr;
    };
    requests_->getProperty(durationProperty, MPV_FORMAT_DOUBLE, [=](const mpv_event& reply) {
        if (const auto* value = property(reply))
            facts->duration = doubleOf(*value, 0.0);
        answered();
    });
    requests_->getProperty(frameRateProperty, MPV_FORMAT_DOUBLE, [=](const mpv_event& reply) {
        if (const auto* value = property(reply))
            facts->frameRate = doubleOf(*value, 0.0);
        answered();
    });
    requests_->getProperty(subtitleCodecProperty, MPV_FORMAT_STRING, [=](const mpv_event& reply) {
        if (const auto* value = property(reply))
            facts->subtitleCodec = stringOf(*value);
        answered();
    });
}

void PlaybackEngine::handleEndFile(const mpv_event& event)
{
    const auto* end = static_cast<const mpv_event_end_file*>(event.data);
    if (!end)
        return;
    const int64_t id = end->playlist_entry_id;
    if (!entries_.contains(id))
        return;
    const bool current = entries_.isCurrent(id);
    const PlaylistEntries::Entry entry = entries_.take(id);
    if (id == entries_.startedId())
        fileLoaded_ = false;
    if (end->reason == MPV_END_FILE_REASON_REDIRECT && current && end->playlist_insert_num_entries > 0) {
        // A playlist: its entries are the player's too, each under its own
        // name (known when it opens).
        entries_.addPlaylistEntries(end->playlist_insert_id, end->playlist_insert_num_entries,
                                    !isNetworkName(entry.file));
        return;
    }
    if (end->reason != MPV_END_FILE_REASON_ERROR)
        return;
    const QString reason = entry.refusal.isEmpty() ? engineErrorText(end->error) : entry.refusal;
    // A file already replaced is not reported against the one now opening.
    if (current)
        emit openFailed(entry.file, reason);
    else
        qWarning("zelk-player: \"%s\" could not be played: %s", qUtf8Printable(entry.file), qUtf8Printable(reason));
}

void PlaybackEngine::handlePropertyChange(const mpv_event& event)
{
    const auto* property = static_cast<const mpv_event_property*>(event.data);
    if (!property)
        return;
    switch (state_.apply(*property)) {
    case PlaybackState::Change::Position:
        emit positionChanged(state_.position);
        break;
    case PlaybackState::Change::Duration:
        emit durationChanged(state_.duration);
        break;
    case PlaybackState::Change::Paused:
        emit pausedChanged(state_.paused);
        break;
    case PlaybackState::Change::Volume:
        emit volumeChanged(state_.volume);
        break;
    case PlaybackState::Change::VideoSize:
        emit videoSizeChanged(state_.videoSize);
        break;
    case PlaybackState::Change::Tracks:
        emit trackListChanged();
        break;
    case PlaybackState::Change::VideoCodec:
        emit videoCodecChanged(state_.videoCodec);
        break;
    case PlaybackState::Change::Title:
        emit titleChanged(state_.title);
        break;
    case PlaybackState::Change::Speed:
        emit speedChanged(state_.speed);
        break;
    case PlaybackState::Change::EndOfFile:
        emit endOfFile();
        break;
    case PlaybackState::Change::None:
        break;
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

} // namespace ZelkShell
