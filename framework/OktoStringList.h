#pragma once

#include "framework/OktoList.h"
#include "framework/OktoString.h"

#include <vector>

namespace Okto {

// A list of framework strings with the same node layout as List<String>.
class StringList : public List<String> {
public:
    // A copy of element i (with this module's string allocator), or the empty
    // string when i is out of range.
    String at(int i) const;

    // Index of the first element equal to s, or -1.
    int indexOf(const String& s) const;

    std::vector<String> toVector() const;
};

} // namespace Okto
