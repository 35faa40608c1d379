// Walking a key and everything below it, for query /s and export.
#pragma once

#include "reg_access.h"

#include <functional>
#include <string>
#include <vector>

namespace zelkreg {

// Called for each key with its handle, full name (lossless UTF-8, see
// toWtf8) and sub-keys in enumeration order; a non-zero code stops the walk
// and is returned.
using KeyVisitor = std::function<LONG(HKEY key, const std::string &fullName, const std::vector<WStr> &subkeys)>;

// Visits `top` (named `topName`) and every key below it, each key before its
// sub-keys, in enumeration order. The walk keeps its own stack, so a tree of
// any depth is walked (a hive may hold trees deeper than a key can be
// created). A sub-key that cannot be opened is skipped when
// `skipUnopenable`, and otherwise ends the walk with its code.
LONG walkTree(HKEY top, const std::string &topName, bool skipUnopenable, const KeyVisitor &visit);

} // namespace zelkreg
