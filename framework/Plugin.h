#pragma once

namespace Okto {

class PluginContext;
class PluginInfo;
class String;

// Base of every plug-in object: a plain (single-threaded) reference count,
// the context that created it and the descriptor record the framework
// attaches. The count starts at 1 for the creator.
class Plugin {
public:
    explicit Plugin(PluginContext* context);
    virtual ~Plugin();

    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    virtual int retain();
    // At zero the context is told before and after the object is deleted.
    virtual int release();
    virtual int retainCount() const;
    virtual PluginInfo* info() const;
    virtual PluginContext* context() const;
    virtual int queryInterface(const String& id, void** out) = 0;

    // Used by the framework's host side, which records the descriptor after
    // creating the object.
    void setInfo(PluginInfo* info) { info_ = info; }

private:
    int refCount_ = 1;
    PluginContext* context_;
    PluginInfo* info_ = nullptr;
};

} // namespace Okto
