#pragma once

// Message names on the publish/subscribe hub (PubSubHub) that the player and
// its plug-in modules share. They live beside the hub, which both sides
// already link, so that neither includes the other's headers (names only,
// nothing to link).

namespace ZelkNimbo::HubMessages {

// Published by the player when it changed a preference itself; the payload
// is the value name ("AlwaysOnTop"). The preferences window follows it.
constexpr const char PreferenceItemChanged[] = "Preference.Item.Changed";

// Published by the settings-consumer plug-in when the preferences were saved;
// the player then re-reads and applies the settings it uses. The payload is
// the publishing plug-in's id.
constexpr const char PlayerSettingsChanged[] = "Player.Settings.Changed";

} // namespace ZelkNimbo::HubMessages
