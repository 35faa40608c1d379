#pragma once

#include "framework/StandardAllocator.h"

#include <string>

namespace Okto {

// A NUL-terminated byte string that carries its allocator. `data` is null
// exactly when the string was built from nothing or has been cleared;
// otherwise it holds length + 1 bytes with a NUL at data[length].
class String {
public:
    using Allocator = StandardAllocator<char>;

    // From a C string (null gives the empty string with a null data pointer).
    String(const char* text = nullptr, Allocator* allocator = &Allocator::instance());
    // Copy into storage owned by an explicit allocator.
    String(const String& other, Allocator* allocator);
    // Plain copies (by-value passing) always use this module's allocator.
    String(const String& other);
    ~String();

    String& operator=(const String& other);

    void clear();
    std::string toStdString() const;

    const char* data() const { return data_; }
    int length() const { return length_; }
    Allocator* allocator() const { return allocator_; }

    // Compared as C strings: case-sensitive, up to the first NUL of each
    // side, and a null string equals "".
    bool operator==(String other) const;
    bool operator!=(String other) const;

private:
    void copyFrom(const char* bytes, int length);

    char* data_ = nullptr;
    int length_ = 0;
    Allocator* allocator_;
};

} // namespace Okto
