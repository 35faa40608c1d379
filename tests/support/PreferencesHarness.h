#pragma once

// Drives the real preferences module as the player would: loaded through the
// host context, reached through its interfaces, its controls found by name.
// Also reads and writes the registry values behind the window directly.

#include "framework/Plugin.h"
#include "host/HostPluginContext.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace zelktest {

class PreferencesHarness {
public:
    // `pluginDirs` are read for descriptors besides the module's own folder.
    explicit PreferencesHarness(const QStringList& pluginDirs = {});
    // Gives back the host's reference and closes the window; the object is
    // then gone.
    ~PreferencesHarness();

    bool created() const { return plugin != nullptr; }
    QWidget* window() const { return window_; }
    template <typename T>
    T* child(const char* name) const
    {
        return window_ ? window_->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    bool applyEnabled() const;
    bool call(const char* slot);
    void* interface(const char* id) const;

    ZelkHost::HostPluginContext context;
    Okto::Plugin* plugin = nullptr;
    int destroyed = 0; // times the preferences object was destroyed

private:
    QWidget* window_ = nullptr;
};

// The module's folder in the build tree.
QString pluginBuildDir();

// Describes two video outputs ("Alpha", "Beta") in `dir`, so that the output
// method can change; returns the folder list for the harness.
QStringList twoOutputDirs(QTemporaryDir& dir);

// Registry values of the component's settings, read and written directly.
struct StoredValue {
    long status = 2; // ERROR_FILE_NOT_FOUND
    std::uint32_t type = 0;
    QByteArray bytes;

    bool exists() const { return status == 0; }
    bool asBool() const;
    std::int64_t asInt() const;
    QString asString() const;
};
StoredValue storedValue(const char* section, const char* name);
bool storeBool(const char* section, const char* name, bool value);
bool storeInt(const char* section, const char* name, std::int64_t value);
bool storeString(const char* section, const char* name, const QString& value);
// Removes every setting of the user hive (with no window alive).
void clearStore();

} // namespace zelktest
