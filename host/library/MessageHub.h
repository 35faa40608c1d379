#pragma once

// Internal: the process-wide message hub behind PubSubHub. Publishing emits
// one signal; every subscription is a small relay object, a child of its
// receiver, connected to that signal with the subscriber's connection type.
// Qt's own signal machinery thereby provides what the hub promises: a relay
// dies with its receiver and is disconnected by Qt, queued deliveries go
// through the receiver's event loop and are discarded if it dies first.

#include <QMetaMethod>
#include <QObject>
#include <QString>
#include <QVariant>

namespace ZelkNimbo {

class MessageHub : public QObject {
    Q_OBJECT
public:
    static MessageHub& instance();

signals:
    void published(const QString& message, const QVariant& payload);
};

class SubscriptionRelay : public QObject {
    Q_OBJECT
public:
    // `method` belongs to the receiver, which the relay gets as its parent.
    SubscriptionRelay(const QString& message, const QMetaMethod& method);

public slots:
    void deliver(const QString& message, const QVariant& payload);

private:
    QString subscribedMessage;
    QMetaMethod method;
};

} // namespace ZelkNimbo
