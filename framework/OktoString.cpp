#include "framework/OktoString.h"

#include <cstring>
#include <limits>
#include <new>

namespace Okto {

String::String(const char* text, Allocator* allocator)
    : allocator_(allocator ? allocator : &Allocator::instance())
{
    if (text) {
        const std::size_t length = std::strlen(text);
        if (length >= static_cast<std::size_t>(std::numeric_limits<int>::max()))
            throw std::bad_alloc();
        copyFrom(text, static_cast<int>(length));
    }
}

String::String(const String& other, Allocator* allocator)
    : allocator_(allocator ? allocator : &Allocator::instance())
{
    if (other.data_)
        copyFrom(other.data_, other.length_);
}

String::String(const String& other)
    : String(other, &Allocator::instance())
{
}

String::~String()
{
    clear();
}

String& String::operator=(const String& other)
{
    // Take the source's bytes before clearing, so that embedded NULs survive
    // and assigning a string to itself keeps its text.
    if (!other.data_) {
        clear();
        return *this;
    }
    const std::string bytes(other.data_, static_cast<std::size_t>(other.length_));
    clear();
    copyFrom(bytes.data(), static_cast<int>(bytes.size()));
    return *this;
}

void String::copyFrom(const char* bytes, int length)
{
    char* storage = static_cast<char*>(allocator_->allocate(static_cast<unsigned>(length) + 1));
    std::memcpy(storage, bytes, static_cast<std::size_t>(length));
    storage[length] = '\0';
    data_ = storage;
    length_ = length;
}

void String::clear()
{
    if (data_) {
        allocator_->deallocate(data_);
        data_ = nullptr;
    }
    length_ = 0;
}

std::string String::toStdString() const
{
    return data_ ? std::string(data_) : std::string();
}

bool String::operator==(String other) const
{
    return toStdString() == other.toStdString();
}

bool String::operator!=(String other) const
{
    return !(*this == other);
}

} // namespace Okto
