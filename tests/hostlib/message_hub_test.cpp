// Delivery, filtering and receiver lifetime of the message hub.

#include "host/library/ZNBLibrary.h"
#include "TemporaryHome.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QtTest>

using ZelkNimbo::PubSubHub;

// Records what it receives in a log owned by the test, so that deliveries to
// a destroyed receiver would still show up.
class Listener : public QObject {
    Q_OBJECT
public:
    explicit Listener(QStringList* log) : log(log) {}
    QAtomicPointer<QThread> lastThread;

public slots:
    void preferenceUpdated(const QString& message, const QVariant& payload)
    {
        lastThread.storeRelease(QThread::currentThread());
        log->append(message + QLatin1Char('=') + payload.toString());
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
    void deliversDirectlyAndOnlyTheSubscribedMessage()
    {
        QStringList log;
        Listener listener(&log);
        QVERIFY(PubSubHub::listenForMessage("Direct.A", &listener,
                                            SLOT(preferenceUpdated(const QString &, const QVariant &)),
                                            Qt::DirectConnection));
        QVERIFY(PubSubHub::listenForMessage("Direct.B", &listener, SLOT(messageOnly(QString))));
        PubSubHub::publishMessage("Direct.A", "AlwaysOnTop");
        PubSubHub::publishMessage("Direct.C", "ignored");
        QCOMPARE(log, QStringList{"Direct.A=AlwaysOnTop"});
        PubSubHub::publishMessage("Direct.B", "x");
        QCOMPARE(log, (QStringList{"Direct.A=AlwaysOnTop", "Direct.B"}));
    }

    void queuesThroughTheReceiversEventLoop()
    {
        QStringList log;
        Listener listener(&log);
        QVERIFY(PubSubHub::listenForMessage("Queued", &listener,
                                            SLOT(preferenceUpdated(QString, QVariant)), Qt::QueuedConnection));
        PubSubHub::publishMessage("Queued", 42);
        QVERIFY(log.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(log, QStringList{"Queued=42"});
    }

    void autoConnectionRunsInTheReceiversThread()
    {
        QStringList log;
        QThread worker;
        auto* listener = new Listener(&log);
        listener->moveToThread(&worker);
        connect(&worker, &QThread::finished, listener, &QObject::deleteLater);
        worker.start();
        QVERIFY(PubSubHub::listenForMessage("Threaded", listener,
                                            SLOT(preferenceUpdated(QString, QVariant))));
        PubSubHub::publishMessage("Threaded", "v");
        QTRY_VERIFY(listener->lastThread.loadAcquire() != nullptr);
        QCOMPARE(listener->lastThread.loadAcquire(), &worker);
        worker.quit();
        QVERIFY(worker.wait(5000));
        QCOMPARE(log, QStringList{"Threaded=v"});
    }

    void dropsDestroyedReceivers()
    {
        QStringList log;
        auto* direct = new Listener(&log);
        auto* queued = new Listener(&log);
        QVERIFY(PubSubHub::listenForMessage("Gone", direct, SLOT(messageOnly(QString)), Qt::DirectConnection));
        QVERIFY(PubSubHub::listenForMessage("Gone", queued, SLOT(messageOnly(QString)), Qt::QueuedConnection));
        PubSubHub::publishMessage("Gone", {}); // leaves a pending delivery for `queued`
        QCOMPARE(log.size(), 1);
        delete direct;
        delete queued;
        PubSubHub::publishMessage("Gone", {});
        QCoreApplication::processEvents();
        QCOMPARE(log.size(), 1);
    }

    void refusesBadSubscriptions_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("no macro code") << QByteArray("messageOnly(QString)");
        QTest::newRow("unknown method") << QByteArray(SLOT(nothing(QString)));
        QTest::newRow("wrong argument type") << QByteArray(SLOT(wrongTypes(int)));
        QTest::newRow("more arguments than delivered") << QByteArray(SLOT(tooMany(QString, QVariant, int)));
    }
    void refusesBadSubscriptions()
    {
        QFETCH(QByteArray, slot);
        QStringList log;
        Listener listener(&log);
        QVERIFY(!PubSubHub::listenForMessage("Bad", &listener, slot.constData()));
        QVERIFY(listener.children().isEmpty());
        QVERIFY(!PubSubHub::listenForMessage("Bad", nullptr, SLOT(messageOnly(QString))));
        QVERIFY(!PubSubHub::listenForMessage("Bad", &listener, nullptr));
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
