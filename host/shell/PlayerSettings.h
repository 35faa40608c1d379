#pragma once

namespace ZelkShell {

// The settings the player applies itself, read and written through the same
// preference accessors as the preferences window.
namespace PlayerSettings {

// Each read opens the store afresh: between two reads the preferences, or
// zelk-reg, may have deleted and recreated the keys a held handle points at.
bool alwaysOnTop();
// False when the value could not be stored.
bool setAlwaysOnTop(bool onTop);

} // namespace PlayerSettings

} // namespace ZelkShell
