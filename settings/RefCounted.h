#pragma once

namespace ovra {

// Base of every reference-counted object. A new object starts at 0; its
// creator's first retain() makes it 1, and release() destroys it when the
// count falls to 0 or below. Not thread-safe: one thread per object.
class IRefCounted {
public:
    virtual ~IRefCounted() = default;
    virtual int retain() = 0;
    virtual int release() = 0;
    virtual int retainCount() = 0;
};

// Holds one reference to a T (or nothing).
template <typename T>
class RefCountedPtr {
public:
    RefCountedPtr() = default;
    // Takes a reference of its own.
    RefCountedPtr(T* object) : object_(object)
    {
        if (object_)
            object_->retain();
    }
    RefCountedPtr(const RefCountedPtr& other) : RefCountedPtr(other.object_) {}
    virtual ~RefCountedPtr() { reset(); }

    RefCountedPtr& operator=(T* object)
    {
        // Take the new reference first, so assigning the held object is safe.
        if (object)
            object->retain();
        reset();
        object_ = object;
        return *this;
    }
    RefCountedPtr& operator=(const RefCountedPtr& other) { return *this = other.object_; }

    void reset()
    {
        T* old = object_;
        object_ = nullptr;
        if (old)
            old->release();
    }

    // For out-parameters (T**) that hand over one reference: whatever is held
    // is released first, and the reference the callee adds becomes ours.
    T** out()
    {
        reset();
        return &object_;
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

// The same holder for use as an element of standard containers.
template <typename T>
class RefCountedPtr_STLSafe : public RefCountedPtr<T> {
public:
    using RefCountedPtr<T>::RefCountedPtr;
    using RefCountedPtr<T>::operator=;
    RefCountedPtr_STLSafe() = default;
    RefCountedPtr_STLSafe(const RefCountedPtr_STLSafe& other) : RefCountedPtr<T>(other.get()) {}
    RefCountedPtr_STLSafe& operator=(const RefCountedPtr_STLSafe& other)
    {
        RefCountedPtr<T>::operator=(other.get());
        return *this;
    }
};

} // namespace ovra
