#include "host/shell/engine/EngineRequests.h"

#include <mpv/client.h>

#include <vector>

namespace ZelkShell {

namespace {

// The arguments as the engine takes them: UTF-8, ending in a null.
class CommandArguments {
public:
    explicit CommandArguments(const QStringList& arguments)
    {
        for (const QString& argument : arguments)
            utf8_.push_back(argument.toUtf8());
        for (const QByteArray& argument : utf8_)
            pointers_.push_back(argument.constData());
        pointers_.push_back(nullptr);
    }
    const char** data() { return pointers_.data(); }

private:
    std::vector<QByteArray> utf8_;
    std::vector<const char*> pointers_;
};

int sendCommand(mpv_handle* handle, uint64_t id, const QStringList& arguments)
{
    CommandArguments utf8(arguments);
    return mpv_command_async(handle, id, utf8.data());
}

// A request's error goes to the log, with what was asked (`request`),
// unless the caller waits for the answer (and reports it itself).
EngineRequests::Reply logged(const QString& request, EngineRequests::Done done)
{
    return [request, done](const mpv_event& reply) {
        if (reply.error < 0 && !done)
            qWarning("zelk-player: the playback engine refused %s: %s", qUtf8Printable(request),
                     qUtf8Printable(engineErrorText(reply.error)));
        if (done)
            done(reply.error);
    };
}

EngineRequests::Reply logged(const QStringList& arguments, EngineRequests::Done done)
{
    return logged(arguments.join(QLatin1Char(' ')), std::move(done));
}

// The answer to a request the engine refused before taking it.
mpv_event refusedAt(int status)
{
    mpv_event refused{};
    refused.error = status;
    return refused;
}

} // namespace

QString engineErrorText(int status)
{
    return QString::fromUtf8(mpv_error_string(status));
}

const mpv_event_hook* hookEvent(const mpv_event& event, const char* name)
{
    if (event.event_id != MPV_EVENT_HOOK)
        return nullptr;
    const auto* hook = static_cast<const mpv_event_hook*>(event.data);
    return hook && qstrcmp(hook->name, name) == 0 ? hook : nullptr;
}

const mpv_node* nodeMember(const mpv_node& map, const char* key)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i) {
        if (qstrcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    }
    return nullptr;
}

void EngineRequests::setProperty(const QByteArray& name, const QString& value, Done done)
{
    const QByteArray text = value.toUtf8();
    Request request;
    request.send = [this, name, text](uint64_t id) {
        const char* data = text.constData();
        return mpv_set_property_async(handle_, id, name.constData(), MPV_FORMAT_STRING, &data);
    };
    request.done = logged(QString::fromUtf8(name) + QLatin1Char('=') + value, std::move(done));
    enqueue(std::move(request));
}

void EngineRequests::command(const QStringList& arguments, Done done)
{
    enqueueCommand(arguments, std::move(done), true);
}

void EngineRequests::commandInBackground(const QStringList& arguments, Done done)
{
    enqueueCommand(arguments, std::move(done), false);
}

void EngineRequests::enqueueCommand(const QStringList& arguments, Done done, bool holdsOrder)
{
    Request request;
    request.send = [this, arguments](uint64_t id) { return sendCommand(handle_, id, arguments); };
    request.done = logged(arguments, std::move(done));
    request.holdsOrder = holdsOrder;
    enqueue(std::move(request));
}

void EngineRequests::commandWithResult(const QStringList& arguments, Reply done)
{
    Request request;
    request.send = [this, arguments](uint64_t id) {
        std::vector<mpv_node> items(static_cast<std::size_t>(arguments.size()));
        std::vector<QByteArray> texts;
        for (const QString& argument : arguments)
            texts.push_back(argument.toUtf8());
        for (std::size_t i = 0; i < items.size(); ++i) {
            items[i].format = MPV_FORMAT_STRING;
            items[i].u.string = const_cast<char*>(texts[i].constData());
        }
        mpv_node_list list{static_cast<int>(items.size()), items.data(), nullptr};
        mpv_node node;
        node.format = MPV_FORMAT_NODE_ARRAY;
        node.u.list = &list;
        return mpv_command_node_async(handle_, id, &node);
    };
    request.done = std::move(done);
    enqueue(std::move(request));
}

void EngineRequests::afterPrevious(std::function<void()> step)
{
    Request request;
    request.done = [step](const mpv_event&) { step(); };
    enqueue(std::move(request));
}

void EngineRequests::getProperty(const char* name, int format, Reply done)
{
    const uint64_t id = nextId_++;
    answers_.insert(id, std::move(done));
    // Refused at once: the caller hears it as it would any other answer.
    const int status = mpv_get_property_async(handle_, id, name, static_cast<mpv_format>(format));
    if (status < 0)
        answers_.take(id)(refusedAt(status));
}

void EngineRequests::commandUnordered(const QStringList& arguments, Done done)
{
    const uint64_t id = nextId_++;
    answers_.insert(id, logged(arguments, std::move(done)));
    const int status = sendCommand(handle_, id, arguments);
    if (status < 0)
        answers_.take(id)(refusedAt(status));
}

void EngineRequests::enqueue(Request request)
{
    waiting_.push_back(std::move(request));
    if (!inFlight_)
        sendNext();
}

uint64_t EngineRequests::send(Request& request)
{
    if (!request.send) {
        // A step of our own: everything before it is answered.
        if (request.done)
            request.done(mpv_event{});
        return 0;
    }
    const uint64_t id = nextId_++;
    const int status = request.send(id);
    if (status < 0) {
        // Refused before it reached the engine's core.
        if (request.done)
            request.done(refusedAt(status));
        return 0;
    }
    answers_.insert(id, std::move(request.done));
    return request.holdsOrder ? id : 0;
}

void EngineRequests::sendNext()
{
    while (!inFlight_ && !waiting_.empty()) {
        Request request = std::move(waiting_.front());
        waiting_.pop_front();
        // A step run here may have sent the next ordered request already.
        if (const uint64_t id = send(request))
            inFlight_ = id;
    }
}

bool EngineRequests::handleReply(const mpv_event& event)
{
    if (event.event_id != MPV_EVENT_SET_PROPERTY_REPLY && event.event_id != MPV_EVENT_COMMAND_REPLY
        && event.event_id != MPV_EVENT_GET_PROPERTY_REPLY)
        return false;
    const auto answer = answers_.find(event.reply_userdata);
    if (answer == answers_.end())
        return false;
    const Reply done = std::move(answer.value());
    answers_.erase(answer);
    if (event.reply_userdata == inFlight_)
        inFlight_ = 0;
    if (done)
        done(event);
    sendNext();
    return true;
}

} // namespace ZelkShell
