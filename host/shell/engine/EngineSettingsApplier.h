#pragma once

#include "host/shell/engine/EngineSettings.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

namespace ZelkShell {

class PlaybackEngine;

// Keeps the engine configured as the stored settings say: apply() re-reads
// them (at start and after each save) and changes only what changed; the
// engine-dependent values follow the playing file by themselves.
class EngineSettingsApplier : public QObject {
    Q_OBJECT

public:
    EngineSettingsApplier(PlaybackEngine& engine, bool softwareOutput, QObject* parent = nullptr);

    // Reads the stored settings and applies them.
    void apply();
    // Applies `settings` (already read) to the engine.
    void apply(const StoredSettings& settings);

    // What the engine was last given, by property.
    QString appliedValue(const QByteArray& property) const { return applied_.value(property); }

private slots:
    void reapply();

private:
    void setEngineProperty(const QByteArray& property, const QString& value);
    void setFilterChain(const QStringList& filters);

    PlaybackEngine& engine_;
    bool softwareOutput_;
    StoredSettings settings_;
    QHash<QByteArray, QString> applied_;
    QSet<QString> reportedFallbacks_;
    // The last video codec the engine reported: kept between files, so that
    // a file of the same codec starts with the same filters.
    QString videoCodec_;
    // The decoder options in force since the video decoder last started
    // (known once the first settings went out).
    QString decoderOptionsStarted_;
    bool decoderOptionsStartedKnown_ = false;
};

} // namespace ZelkShell
