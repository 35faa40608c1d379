#pragma once

#include "settings/SettingKey.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

namespace ZelkShell {

// The stored settings the player reads, each with the default the preferences
// window shows when the store has none.
class StoredSettings {
public:
    // Reads every setting of the engine table through the preference
    // accessors, on a freshly opened settings section.
    static StoredSettings read();

    QVariant value(const SettingKey& key) const;
    // Whether the store holds the value (false: the default stands in).
    bool isStored(const SettingKey& key) const;
    // For tests and the frame grab: replaces one value.
    void set(const SettingKey& key, const QVariant& value);

private:
    QHash<QString, QVariant> values_;
    QHash<QString, bool> stored_;
};

// What the engine is like right now, for the conversions that depend on it.
struct EngineFacts {
    bool softwareOutput = true;
    double videoFrameRate = 0.0; // 0 while unknown
    QString subtitleCodec;       // of the selected subtitle track
    QString videoCodec;          // of the selected video track ("mpeg4", "h264"), empty while unknown
};

// The engine configuration the stored settings amount to.
struct EngineConfiguration {
    // Engine property and value, in table order; the filter chain ("vf")
    // is not among them.
    std::vector<std::pair<QByteArray, QString>> properties;
    // The video filter chain's labelled parts, in chain order; the engine is
    // given it after the properties.
    QStringList filters;
    // One line for each stored value the engine cannot use.
    QStringList fallbacks;
};

EngineConfiguration engineConfiguration(const StoredSettings& settings, const EngineFacts& facts);

// The video output the stored VideoOutputMethod names.
enum class VideoOutputKind { Software, OpenGL, EngineWindow };
struct VideoOutputChoice {
    VideoOutputKind kind = VideoOutputKind::Software;
    QString fallback; // non-empty when the stored value was not understood
};
VideoOutputChoice videoOutputChoice(const StoredSettings& settings);

} // namespace ZelkShell
