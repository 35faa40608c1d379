// The publish/subscribe hub through which parts of the player announce
// changes to whoever listens.

#include "host/library/MessageHub.h"
#include "host/library/ZNBLibrary.h"

#include <QMetaObject>

namespace ZelkNimbo {

namespace {

// The leading character Qt's SLOT() and SIGNAL() macros put before a signature.
constexpr char slotCode = '1';
constexpr char signalCode = '2';

// What a listener's method is called with; it may take fewer arguments, as a
// slot connected to a signal may.
const char* const deliverySignature = "published(QString,QVariant)";

int methodIndex(const QMetaObject* type, char code, const QByteArray& normalized)
{
    if (code == slotCode)
        return type->indexOfSlot(normalized.constData());
    if (code == signalCode)
        return type->indexOfSignal(normalized.constData());
    return -1;
}

} // namespace

MessageHub& MessageHub::instance()
{
    static MessageHub hub;
    return hub;
}

SubscriptionRelay::SubscriptionRelay(const QString& message, const QMetaMethod& method)
    : subscribedMessage(message)
    , method(method)
{
}

void SubscriptionRelay::deliver(const QString& message, const QVariant& payload)
{
    if (message != subscribedMessage)
        return;
    // The relay runs in its receiver's thread (directly or from that thread's
    // event loop), so the call itself is always direct.
    QObject* receiver = parent();
    switch (method.parameterCount()) {
    case 0:
        method.invoke(receiver, Qt::DirectConnection);
        break;
    case 1:
        method.invoke(receiver, Qt::DirectConnection, Q_ARG(QString, message));
        break;
    default:
        method.invoke(receiver, Qt::DirectConnection, Q_ARG(QString, message), Q_ARG(QVariant, payload));
        break;
    }
}

bool PubSubHub::listenForMessage(const QString& message, QObject* receiver, const char* slot,
                                 Qt::ConnectionType type)
{
    if (!receiver || !slot || !*slot)
        return false;
    const QByteArray normalized = QMetaObject::normalizedSignature(slot + 1);
    const QMetaObject* receiverType = receiver->metaObject();
    const int index = methodIndex(receiverType, slot[0], normalized);
    if (index < 0)
        return false;
    if (!QMetaObject::checkConnectArgs(deliverySignature, normalized.constData()))
        return false;

    auto* relay = new SubscriptionRelay(message, receiverType->method(index));
    // Several subscriptions of one receiver are separate relays, so a unique
    // connection would mean nothing here.
    const auto connectionType = static_cast<Qt::ConnectionType>(type & ~Qt::UniqueConnection);
    if (!QObject::connect(&MessageHub::instance(), &MessageHub::published, relay, &SubscriptionRelay::deliver,
                          connectionType)) {
        delete relay;
        return false;
    }
    // A child must live in its parent's thread; a subscription made from
    // another thread hands the relay over before adopting it.
    if (relay->thread() != receiver->thread())
        relay->moveToThread(receiver->thread());
    relay->setParent(receiver);
    return true;
}

void PubSubHub::publishMessage(const QString& message, const QVariant& payload)
{
    emit MessageHub::instance().published(message, payload);
}

} // namespace ZelkNimbo
