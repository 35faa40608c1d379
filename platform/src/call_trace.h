// A trace of registry calls, for tests and support: when the environment
// variable ZELK_REGISTRY_TRACE names a file, every successful RegSetValueExW
// and RegDeleteValueW, and every RegOpenKeyExW and RegCreateKeyExW that
// opens or creates a key below the one given, appends one line to it:
//
//   set user 42 AlwaysOnTop
//   delete machine 7 Volume
//   open user 1 Software\u005CZelk\u005CSettings
//   create user 42 Playback
//
// (call, hive, the internal number of the key the call was given, value or
// sub-key name; characters outside printable ASCII, and backslashes, as
// \uXXXX). Lines are appended in call order.
#pragma once

#include "hive_locations.h"
#include "hive_store.h"
#include "names.h"

namespace zelk::registry {

void traceCall(const char *call, HiveId hive, KeyId key, const WString &valueName);

} // namespace zelk::registry
