#include "host/shell/engine/EngineSettingsApplier.h"

#include "host/shell/engine/PlaybackEngine.h"

namespace ZelkShell {

namespace {

// The decoder's options ("export_side_data=..."), as the settings give them.
constexpr char decoderOptions[] = "vd-lavc-o";

} // namespace

EngineSettingsApplier::EngineSettingsApplier(PlaybackEngine& engine, bool softwareOutput, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , softwareOutput_(softwareOutput)
{
    // The frame-based subtitle timing depends on the file and track playing.
    connect(&engine_, &PlaybackEngine::fileLoaded, this, &EngineSettingsApplier::reapply);
    connect(&engine_, &PlaybackEngine::trackListChanged, this, &EngineSettingsApplier::reapply);
    // Post-processing follows the codec of the video track playing.
    connect(&engine_, &PlaybackEngine::videoCodecChanged, this, [this](const QString& codec) {
        if (!codec.isEmpty() && codec != videoCodec_) {
            videoCodec_ = codec;
            reapply();
        }
    });
}

void EngineSettingsApplier::apply()
{
    apply(StoredSettings::read());
}

void EngineSettingsApplier::reapply()
{
    apply(settings_);
}

void EngineSettingsApplier::apply(const StoredSettings& settings)
{
    settings_ = settings;
    EngineFacts facts;
    facts.softwareOutput = softwareOutput_;
    facts.videoFrameRate = engine_.videoFrameRate();
    facts.subtitleCodec = engine_.subtitleCodec();
    facts.videoCodec = videoCodec_;
    const EngineConfiguration configuration = engineConfiguration(settings, facts);
    // A value the engine cannot use is reported once, not at every re-read.
    for (const QString& fallback : configuration.fallbacks) {
        if (!reportedFallbacks_.contains(fallback))
            qWarning("zelk-player: %s", qUtf8Printable(fallback));
    }
    reportedFallbacks_ = QSet<QString>(configuration.fallbacks.begin(), configuration.fallbacks.end());

    QSet<QByteArray> configured;
    for (const auto& [property, value] : configuration.properties) {
        configured.insert(property);
        setEngineProperty(property, value);
    }
    configured.insert("vf");
    setFilterChain(configuration.filters);
    // The decoder reads its options only when it starts: one changed while
    // a video decodes (post-processing turned on or off) starts it again.
    if (applied_.value(decoderOptions) != decoderOptionsStarted_) {
        if (decoderOptionsStartedKnown_)
            engine_.restartVideoDecoder();
        decoderOptionsStarted_ = applied_.value(decoderOptions);
    }
    decoderOptionsStartedKnown_ = true;
    // A setting that now leaves a property to the engine (or the user) no
    // longer holds it: should it take it again, the value is sent afresh.
    for (auto it = applied_.begin(); it != applied_.end();) {
        if (configured.contains(it.key()))
            ++it;
        else
            it = applied_.erase(it);
    }
}

void EngineSettingsApplier::setEngineProperty(const QByteArray& property, const QString& value)
{
    // Unchanged values are not sent again: some (the filters) restart parts
    // of the engine's pipeline.
    if (applied_.contains(property) && applied_.value(property) == value)
        return;
    // A value the engine refuses is logged when it answers.
    QString error;
    if (!engine_.setProperty(property.constData(), value, &error))
        qWarning("zelk-player: %s", qUtf8Printable(error));
    const bool changedCodePage = property == "sub-codepage" && applied_.contains(property);
    applied_.insert(property, value);
    // An external subtitle file already read is decoded again with the new
    // code page; no subtitle track is nothing to do. Reading a large file
    // again takes the engine seconds: nothing else waits for it.
    if (changedCodePage && engine_.hasFile() && !engine_.subtitleCodec().isEmpty())
        engine_.commandInBackground({QStringLiteral("sub-reload")});
}

void EngineSettingsApplier::setFilterChain(const QStringList& filters)
{
    const QString chain = filters.join(QLatin1Char(','));
    if (applied_.contains("vf") && applied_.value("vf") == chain)
        return;
    applied_.insert("vf", chain);
    engine_.setVideoFilters(filters);
}

} // namespace ZelkShell
