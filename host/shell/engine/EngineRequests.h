#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>

struct mpv_handle;
struct mpv_event;
struct mpv_event_hook;
struct mpv_node;

namespace ZelkShell {

// Every property set and command the player sends the running engine, sent
// without waiting: the engine's core may be busy for seconds (reading a large
// subtitle file, opening a slow stream) and the GUI thread must not wait with
// it. The engine may reorder asynchronous requests, so the ordered ones go
// one at a time, each once the one before was answered: a later value of a
// property always wins, and a command runs after the settings sent before it.
// Answers arrive as reply events, passed in through handleReply().
class EngineRequests {
public:
    // `status` is the engine's error code (>= 0 for success).
    using Done = std::function<void(int status)>;
    // The whole reply event (its error, and its data: the command's result
    // node or the property read); valid during the call.
    using Reply = std::function<void(const mpv_event& reply)>;

    explicit EngineRequests(mpv_handle* handle)
        : handle_(handle)
    {
    }

    // In order with the other ordered requests; `done` runs when answered
    // (without it, a refusal is logged).
    void setProperty(const QByteArray& name, const QString& value, Done done = {});
    void command(const QStringList& arguments, Done done = {});
    // A command whose result the caller reads from the reply.
    void commandWithResult(const QStringList& arguments, Reply done);
    // In order, but what follows does not wait for its answer: for commands
    // that may take long (re-reading a subtitle file) after which nothing
    // sent depends on them.
    void commandInBackground(const QStringList& arguments, Done done = {});
    // Runs `step` on the GUI thread once everything sent before is answered.
    void afterPrevious(std::function<void()> step);

    // Outside the order, sent at once: for reads and independent work.
    void getProperty(const char* name, int format, Reply done);
    void commandUnordered(const QStringList& arguments, Done done = {});

    // Whether an ordered request is sent or waiting and not yet answered.
    bool ordersPending() const { return inFlight_ != 0 || !waiting_.empty(); }

    // Takes a reply event to a request of this queue (false for any other
    // event); runs its answer and sends what waited for it.
    bool handleReply(const mpv_event& event);

private:
    struct Request {
        std::function<int(uint64_t id)> send;
        Reply done;
        // Ordered requests after it wait for its answer.
        bool holdsOrder = true;
    };

    void enqueue(Request request);
    void enqueueCommand(const QStringList& arguments, Done done, bool holdsOrder);
    void sendNext();
    uint64_t send(Request& request);

    mpv_handle* handle_;
    std::deque<Request> waiting_;
    // The ordered request being answered, if any.
    uint64_t inFlight_ = 0;
    QHash<uint64_t, Reply> answers_;
    // Request ids start above the ones the engine's property observers use.
    uint64_t nextId_ = 1000;
};

// The engine's one-line explanation of an error code.
QString engineErrorText(int status);
// `event` as the hook named `name`; null for any other event.
const mpv_event_hook* hookEvent(const mpv_event& event, const char* name);
// The value under `key` in the map node `map`; null when it is no map or has
// no such key.
const mpv_node* nodeMember(const mpv_node& map, const char* key);

} // namespace ZelkShell
