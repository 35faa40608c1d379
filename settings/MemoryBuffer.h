#pragma once

#include <algorithm>
#include <cstdint>
#include <new>
#include <type_traits>

namespace ovra {

// An owned array that never throws on allocation failure: it becomes empty
// instead, and the user checks data() or count().
template <typename T>
class MemoryBuffer {
public:
    MemoryBuffer() = default;
    MemoryBuffer(const MemoryBuffer&) = delete;
    MemoryBuffer& operator=(const MemoryBuffer&) = delete;
    virtual ~MemoryBuffer() { reallocate(0); }

    // A count that differs from the current one discards the contents (also
    // when growing). A count that is negative when taken as signed asks for
    // the largest possible size and fails.
    void resize(std::uint32_t count) { reallocate(count); }

    // The UTF-16 form can also zero-fill, even when the count stays the same.
    void resize(std::uint32_t count, bool zeroFill)
    {
        static_assert(std::is_same<T, unsigned short>::value, "only UTF-16 buffers are zero-filled");
        reallocate(count);
        if (zeroFill && data_)
            std::fill(data_, data_ + count_, static_cast<T>(0));
    }

    T* data() const { return data_; }
    std::uint32_t count() const { return count_; }

private:
    void reallocate(std::uint32_t count)
    {
        if (count == count_)
            return;
        delete[] data_;
        data_ = nullptr;
        count_ = 0;
        if (count == 0)
            return;
        // A count that is negative as a signed number asks for the largest
        // possible array, which cannot be had: the buffer stays empty.
        if (static_cast<std::int32_t>(count) < 0)
            return;
        try {
            data_ = new T[count];
            count_ = count;
        } catch (const std::bad_alloc&) {
            data_ = nullptr;
            count_ = 0;
        }
    }

    T* data_ = nullptr;
    std::uint32_t count_ = 0;
};

} // namespace ovra
