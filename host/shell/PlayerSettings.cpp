#include "host/shell/PlayerSettings.h"

#include "settings/PreferenceAccessors.h"
#include "settings/SettingKey.h"

namespace ZelkShell::PlayerSettings {

namespace {

const SettingKey& alwaysOnTopKey = SettingKeys::Playback::AlwaysOnTop;

} // namespace

bool alwaysOnTop()
{
    ZelkNimbo::releaseComponentSettings();
    return ZelkNimbo::readPreferenceBool(alwaysOnTopKey.section, alwaysOnTopKey.name, false);
}

bool setAlwaysOnTop(bool onTop)
{
    if (ZelkNimbo::writePreferenceBool(alwaysOnTopKey.section, alwaysOnTopKey.name, onTop))
        return true;
    // A held key may have been deleted under us; one more try on fresh keys.
    ZelkNimbo::releaseComponentSettings();
    return ZelkNimbo::writePreferenceBool(alwaysOnTopKey.section, alwaysOnTopKey.name, onTop);
}

} // namespace ZelkShell::PlayerSettings
