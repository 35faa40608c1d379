#pragma once

// Message names on the player's publish/subscribe hub (PubSubHub) that the
// shell and its plug-ins share: the preferences module and the sample
// plug-ins include this header too (it is names only, nothing to link).

namespace ZelkShell::Messages {

// Published by the player when it changed a preference itself; the payload
// is the value name ("AlwaysOnTop"). The preferences window follows it.
constexpr const char PreferenceItemChanged[] = "Preference.Item.Changed";

// Published by the settings-consumer plug-in when the preferences were saved;
// the player then re-reads and applies the settings it uses. The payload is
// the publishing plug-in's id.
constexpr const char PlayerSettingsChanged[] = "Player.Settings.Changed";

} // namespace ZelkShell::Messages
