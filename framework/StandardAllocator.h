#pragma once

#include <cstddef>
#include <limits>
#include <new>

namespace Okto {

// The framework's allocator object. Every framework string and list records
// the allocator that produced its storage and returns the storage to that same
// object, so values can cross between the host and plug-in modules, each of
// which has its own heap wrappers and its own allocator instances.
template <typename T>
class StandardAllocator {
public:
    virtual ~StandardAllocator() = default;

    // Raw storage for n elements of T; throws std::bad_alloc on failure
    // (including a size that does not fit in size_t).
    virtual void* allocate(unsigned n)
    {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T))
            throw std::bad_alloc();
        return ::operator new[](static_cast<std::size_t>(n) * sizeof(T));
    }

    virtual void deallocate(void* p)
    {
        ::operator delete[](p);
    }

    // The one allocator for T in this module, built on first use and
    // destroyed when the module unloads.
    static StandardAllocator& instance()
    {
        static StandardAllocator shared;
        return shared;
    }
};

} // namespace Okto
