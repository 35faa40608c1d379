// Delivery, filtering and receiver lifetime of the message hub.

#include "host/library/ZNBLibrary.h"
#include "TemporaryHome.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QThread>
#include <QtTest>

using ZelkNimbo::PubSubHub;

// Writes what it receives into a log owned by the test, so a delivery to a
// destroyed receiver would still show.
class Listener : public QObject {
    Q_OBJECT
public:
    explicit Listener(QStringList* log) : log(log) {}
    QAtomicPointer<QThread> lastThread;

public slots:
    void preferenceUpdated(const QString& message, const QVariant& payload)
    {
        lastThread.storeRelease(QThread::currentThread());
        log->append(message + '=' + payload.toString());
    }
    void messageOnly(const QString& message) { log->append(message); }
    void wrongTypes(int) {}
    void tooMany(const QString&, const QVariant&, int) {}

private:
    QStringList* log;
};

class MessageHubTest : public QObject {
    Q_OBJECT
private slots:
    void deliversOnlyTheSubscribedMessage()
    {
        QStringList log;
        Listener listener(&log);
        QVERIFY(PubSubHub::listenForMessage("A", &listener, SLOT(preferenceUpdated(const QString &, const QVariant &)),
                                            Qt::DirectConnection));
        QVERIFY(PubSubHub::listenForMessage("B", &listener, SLOT(messageOnly(QString))));
        PubSubHub::publishMessage("A", "AlwaysOnTop");
        PubSubHub::publishMessage("C", "ignored");
        PubSubHub::publishMessage("B", "x");
        QCOMPARE(log, (QStringList{"A=AlwaysOnTop", "B"}));
    }

    void queuedDeliveryWaitsForTheReceiversEventLoop()
    {
        QStringList log;
        Listener listener(&log);
        QVERIFY(PubSubHub::listenForMessage("Q", &listener, SLOT(messageOnly(QString)), Qt::QueuedConnection));
        PubSubHub::publishMessage("Q", {});
        QVERIFY(log.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(log, QStringList{"Q"});

        QThread worker;
        auto stop = qScopeGuard([&] { worker.quit(); worker.wait(); });
        auto* remote = new Listener(&log);
        remote->moveToThread(&worker);
        connect(&worker, &QThread::finished, remote, &QObject::deleteLater);
        worker.start();
        QVERIFY(PubSubHub::listenForMessage("T", remote, SLOT(preferenceUpdated(QString, QVariant))));
        PubSubHub::publishMessage("T", 1);
        QTRY_COMPARE(remote->lastThread.loadAcquire(), &worker);
    }

    void destroyedReceiversAreDropped()
    {
        QStringList log;
        auto* direct = new Listener(&log);
        auto* queued = new Listener(&log);
        QVERIFY(PubSubHub::listenForMessage("G", direct, SLOT(messageOnly(QString)), Qt::DirectConnection));
        QVERIFY(PubSubHub::listenForMessage("G", queued, SLOT(messageOnly(QString)), Qt::QueuedConnection));
        PubSubHub::publishMessage("G", {}); // leaves a delivery pending for `queued`
        delete direct;
        delete queued;
        PubSubHub::publishMessage("G", {});
        QCoreApplication::processEvents();
        QCOMPARE(log, QStringList{"G"});
    }

    void badSubscriptionsAreRefused()
    {
        QStringList log;
        Listener listener(&log);
        for (const char* slot : {"", "messageOnly(QString)", SLOT(nothing(QString)), SLOT(wrongTypes(int)),
                                 SLOT(tooMany(QString, QVariant, int)), static_cast<const char*>(nullptr)})
            QVERIFY2(!PubSubHub::listenForMessage("Bad", &listener, slot), slot ? slot : "null");
        QVERIFY(listener.children().isEmpty());
        QVERIFY(!PubSubHub::listenForMessage("Bad", nullptr, SLOT(messageOnly(QString))));
    }
};

int main(int argc, char** argv)
{
    TemporaryHome home;
    QCoreApplication app(argc, argv);
    MessageHubTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "message_hub_test.moc"
