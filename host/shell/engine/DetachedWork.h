#pragma once

#include <QMetaObject>
#include <QObject>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace ZelkShell {

// Runs file-system work that may block (a folder listing, a stat() on a hung
// network mount) on a thread of its own, left to finish by itself, and hands
// the result to the receiver's thread. Neither the window nor the player's
// exit ever waits for such a thread: once the receiver is gone, a late result
// is dropped.
class DetachedWork {
public:
    explicit DetachedWork(QObject* receiver)
        : mailbox_(std::make_shared<Mailbox>())
    {
        mailbox_->receiver = receiver;
    }
    ~DetachedWork()
    {
        const std::lock_guard<std::mutex> guard(mailbox_->lock);
        mailbox_->receiver = nullptr;
    }
    DetachedWork(const DetachedWork&) = delete;
    DetachedWork& operator=(const DetachedWork&) = delete;

    // `work` runs on the new thread; `done` later on the receiver's, with
    // what `work` returned.
    template <typename Work, typename Done>
    void run(Work work, Done done)
    {
        std::thread([mailbox = mailbox_, work = std::move(work), done = std::move(done)]() mutable {
            auto result = work();
            // Posted under the lock the destructor clears the receiver under:
            // a receiver being destroyed either gets the call queued before
            // (and Qt drops it with the receiver) or never.
            const std::lock_guard<std::mutex> guard(mailbox->lock);
            if (mailbox->receiver)
                QMetaObject::invokeMethod(
                    mailbox->receiver, [done = std::move(done), result = std::move(result)] { done(result); },
                    Qt::QueuedConnection);
        }).detach();
    }

private:
    struct Mailbox {
        std::mutex lock;
        QObject* receiver = nullptr;
    };
    std::shared_ptr<Mailbox> mailbox_;
};

} // namespace ZelkShell
