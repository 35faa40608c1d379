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

// A command's error goes to the log, with the command, unless the caller
// waits for the answer (and reports it itself).
EngineRequests::Reply logged(const QStringList& arguments, EngineRequests::Done done)
{
    return [arguments, done](const mpv_event& reply) {
        if (reply.error < 0 && !done)
            qWarning("zelk-player: the playback engine refused %s: %s", qUtf8Printable(arguments.join(QLatin1Char(' '))),
                     qUtf8Printable(engineErrorText(reply.error)));
        if (done)
            done(reply.error);
    };
}

} // namespace

QString engineErrorText(int status)
{
    return QString::fromUtf8(mpv_error_string(status));
}

void EngineRequests::setProperty(const QByteArray& name, const QString& value, Done done)
{
    const QByteArray text = value.toUtf8();
    Request request;
    request.send = [this, name, text](uint64_t id) {
        const char* data = text.constData();
        return mpv_set_property_async(handle_, id, name.constData(), MPV_FORMAT_STRING, &data);
    };
    request.done = [name, value, done](const mpv_event& reply) {
        if (reply.error < 0 && !done)
            qWarning("zelk-player: the playback engine refused %s=%s: %s", name.constData(), qUtf8Printable(value),
                     qUtf8Printable(engineErrorText(reply.error)));
        if (done)
            done(reply.error);
    };
    enqueue(std::move(request));
}

void EngineRequests::command(const QStringList& arguments, Done done)
{
    Request request;
    request.send = [this, arguments](uint64_t id) { return sendCommand(handle_, id, arguments); };
    request.done = logged(arguments, std::move(done));
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

void EngineRequests::commandInBackground(const QStringList& arguments, Done done)
{
    Request request;
    request.send = [this, arguments](uint64_t id) { return sendCommand(handle_, id, arguments); };
    request.done = logged(arguments, std::move(done));
    request.holdsOrder = false;
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
    if (mpv_get_property_async(handle_, id, name, static_cast<mpv_format>(format)) < 0)
        answers_.remove(id);
}

void EngineRequests::commandUnordered(const QStringList& arguments, Done done)
{
    const uint64_t id = nextId_++;
    answers_.insert(id, logged(arguments, std::move(done)));
    const int status = sendCommand(handle_, id, arguments);
    if (status < 0) {
        mpv_event failed{};
        failed.error = status;
        answers_.take(id)(failed);
    }
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
        mpv_event refused{};
        refused.error = status;
        if (request.done)
            request.done(refused);
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
