#include "host/shell/settings/PlayerSettings.h"

#include "host/shell/behaviour/StoreWrites.h"

#include "settings/PreferenceAccessors.h"
#include "settings/SettingDefaults.h"
#include "settings/SettingKey.h"

namespace ZelkShell::PlayerSettings {

namespace {

const SettingKey& alwaysOnTopKey = SettingKeys::Playback::AlwaysOnTop;
const SettingKey& openLocationKey = SettingKeys::General::DefaultOpenFileLocation;
const SettingKey& mediaFolderKey = SettingKeys::General::MediaFolder;
const SettingKey& lastOpenFolderKey = SettingKeys::PlayerState::LastOpenFileLocation;

// The stored tokens of the two fixed choices; anything else is a folder.
const char mediaFolderToken[] = "<media folder>";
const char lastDirectoryToken[] = "<last directory>";

using ZelkNimbo::readSettingText;

} // namespace

Snapshot read()
{
    Snapshot snapshot;
    // The engine's reader opens the store afresh; the others read through
    // the keys it opened.
    snapshot.engine = StoredSettings::read();
    snapshot.behaviour = BehaviourSettings::read();
    snapshot.alwaysOnTop = ZelkNimbo::readSettingFlag(alwaysOnTopKey);
    return snapshot;
}

QString openDialogFolder()
{
    ZelkNimbo::releaseComponentSettings();
    const QString choice = readSettingText(openLocationKey);
    if (choice == QLatin1String(mediaFolderToken))
        return readSettingText(mediaFolderKey);
    if (choice == QLatin1String(lastDirectoryToken))
        return readSettingText(lastOpenFolderKey);
    return choice;
}

bool rememberOpenFolder(const QString& folder)
{
    return writeRetryingOnFreshKeys([&folder] {
        return ZelkNimbo::writePreferenceString(lastOpenFolderKey.section, lastOpenFolderKey.name, folder);
    });
}

} // namespace ZelkShell::PlayerSettings
