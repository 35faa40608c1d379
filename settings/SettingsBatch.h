#pragma once

// Groups the writes of one save into one transaction of the user hive, beside
// the store's interface: while a SettingsBatch is alive, everything the
// thread writes to the user hive through any section is stored at commit()
// as a whole, or not at all. Other processes see nothing until the commit and
// their writers wait for it (docs/registry.md, "Batches").
//
// On Linux this is the registry stand-in's batch. On Windows the registry
// has no transaction spanning keys that are already open, so the batch is
// empty there: each write is committed by itself and commit() merely
// reports success; callers still stop at the first failed write.

namespace ilsk {

class SettingsBatch {
public:
    // Takes the user hive's write lock (waiting while another process
    // writes). status() tells whether the batch could begin.
    SettingsBatch();
    // Rolls back whatever was not committed.
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

    // 0 while the batch is usable, else the registry error that stopped it.
    long status() const { return status_; }
    // Stores every write since the start; 0 when all of them are stored,
    // else the registry error (and nothing of the batch is stored).
    long commit();
    // Drops every write since the start.
    void rollback();

private:
    bool open_ = false;
    long status_ = 0;
};

} // namespace ilsk
