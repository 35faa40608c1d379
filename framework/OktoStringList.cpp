#include "framework/OktoStringList.h"

namespace Okto {

String StringList::at(int i) const
{
    const Node<String>* node = nodeAt(i);
    return node ? String(node->value) : String();
}

int StringList::indexOf(const String& s) const
{
    int index = 0;
    for (const Node<String>* node = head; node; node = node->next, ++index) {
        if (node->value == s)
            return index;
    }
    return -1;
}

std::vector<String> StringList::toVector() const
{
    std::vector<String> copies;
    copies.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i)
        copies.push_back(at(i));
    return copies;
}

} // namespace Okto
