// A trace of the calls that change a hive, for tests and support: when the
// environment variable ZELK_REGISTRY_TRACE names a file, every successful
// RegSetValueExW and RegDeleteValueW appends one line to it:
//
//   set user 42 AlwaysOnTop
//   delete machine 7 Volume
//
// (call, hive, the key's internal number, value name; characters outside
// printable ASCII as \uXXXX). Lines are appended in call order.
#pragma once

#include "hive_locations.h"
#include "hive_store.h"
#include "names.h"

namespace zelk::registry {

void traceChange(const char *call, HiveId hive, KeyId key, const WString &valueName);

} // namespace zelk::registry
