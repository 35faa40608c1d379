// The player as the desktop's media controls see it: the real player on a
// virtual display, driven through MPRIS by the real playerctl on a session
// bus of the test's own, with a two-file queue made by ffmpeg.

#include "IsolatedEnvironment.h"
#include "PlaybackTestMedia.h"
#include "PrivateSessionBus.h"
#include "ShellTestSupport.h"
#include "VirtualDisplay.h"

#include "host/shell/app/InstalledPaths.h"

#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <utility>
#include <vector>

using namespace zelktest;

namespace {

constexpr int waitMs = 20000;
const QString path = QStringLiteral("/org/mpris/MediaPlayer2");
const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

} // namespace

class PlayerMprisTest : public QObject {
    Q_OBJECT

public slots:
    void seeked(qlonglong position) { seekedTo << position; }
    void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        if (interface == playerInterface && changed.contains(QStringLiteral("PlaybackStatus")))
            announcedStatuses << changed.value(QStringLiteral("PlaybackStatus")).toString();
    }

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(display.start(&why), qPrintable(why));
        QVERIFY2(!bus.address().isEmpty(), "dbus-daemon did not start");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("playerctl")).isEmpty(), "playerctl is not installed");
        const QString first = makeClip(QDir(media.path()), QStringLiteral("first.mkv"), 3.0);
        QVERIFY(!first.isEmpty());
        QVERIFY(runFfmpeg({QStringLiteral("-i"), first, QStringLiteral("-c"), QStringLiteral("copy"),
                           QStringLiteral("-metadata"), QStringLiteral("title=Night Train"), tagged()}));
        second = makeClip(QDir(media.path()), QStringLiteral("second.mkv"), 2.0);
        QVERIFY(!second.isEmpty());
    }

    // Every control playerctl offers, then Quit, on one running player.
    void mediaControlsDriveThePlayer()
    {
        QProcess& player = startPlayer({tagged(), second});
        QDBusConnection connection = bus.connect(QStringLiteral("mpris-test"));
        const QString service = QStringLiteral("org.mpris.MediaPlayer2.zelk_player");
        QVERIFY(connection.connect(service, path, playerInterface, QStringLiteral("Seeked"), this,
                                   SLOT(seeked(qlonglong))));
        QVERIFY(connection.connect(service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"), this,
                                   SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        QTRY_COMPARE_WITH_TIMEOUT(playerctl({QStringLiteral("-l")}), QStringLiteral("zelk_player"), waitMs);

        // Title from the tags, length, address; the states through the buttons.
        QTRY_COMPARE_WITH_TIMEOUT(ctl("status"), QStringLiteral("Playing"), waitMs);
        QCOMPARE(ctl("metadata", "xesam:title"), QStringLiteral("Night Train"));
        QVERIFY(std::abs(ctl("metadata", "mpris:length").toLongLong() - 3000000) < 100000);
        QCOMPARE(ctl("metadata", "xesam:url"), QUrl::fromLocalFile(tagged()).toString());
        seekedTo.clear();
        for (const auto& [command, status] : {std::pair{"pause", "Paused"}, {"play", "Playing"}, {"stop", "Stopped"},
                                              {"play", "Playing"}, {"pause", "Paused"}}) {
            ctl(command);
            QTRY_COMPARE_WITH_TIMEOUT(ctl("status"), QString::fromLatin1(status), waitMs);
        }
        // Told over the bus as it changed, not only when asked.
        QTRY_VERIFY_WITH_TIMEOUT(announcedStatuses.contains(QStringLiteral("Stopped"))
                                     && announcedStatuses.count(QStringLiteral("Paused")) >= 2, waitMs);
        // Stopping went back to the start, a seek of its own; it may be
        // announced after the statuses, so it is awaited before the seeks below.
        QTRY_VERIFY_WITH_TIMEOUT(!seekedTo.isEmpty(), waitMs);
        QVERIFY2(seekedTo.first() < 200000, qPrintable(QString::number(seekedTo.first())));

        // A position for a track that is gone, or past the end, is ignored;
        // the one after it is taken, and announced as the only seek.
        QDBusInterface controls(service, path, playerInterface, connection);
        const QString trackId = ctl("metadata", "mpris:trackid").remove(QLatin1Char('\''));
        QVERIFY(controls.call(QStringLiteral("SetPosition"), QVariant::fromValue(QDBusObjectPath("/stale/Track/0")),
                              qlonglong(0)).errorName().isEmpty());
        QVERIFY(controls.call(QStringLiteral("SetPosition"), QVariant::fromValue(QDBusObjectPath(trackId)),
                              qlonglong(60000000)).errorName().isEmpty());
        seekedTo.clear();
        ctl("position", "1.5");
        QTRY_VERIFY_WITH_TIMEOUT(!seekedTo.isEmpty(), waitMs);
        QVERIFY2(std::abs(seekedTo.first() - 1500000) < 100000, qPrintable(QString::number(seekedTo.first())));
        QVERIFY(std::abs(ctl("position").toDouble() - 1.5) < 0.1);

        // Volumes are clamped.
        ctl("volume", "1.7");
        QTRY_COMPARE_WITH_TIMEOUT(ctl("volume").toDouble(), 1.0, waitMs);

        // Next and Previous through the queue; seeking past the end is Next.
        ctl("next");
        QTRY_COMPARE_WITH_TIMEOUT(ctl("metadata", "xesam:title"), QStringLiteral("second.mkv"), waitMs);
        QVERIFY(ctl("metadata", "mpris:trackid").remove(QLatin1Char('\'')) != trackId);
        ctl("previous");
        QTRY_COMPARE_WITH_TIMEOUT(ctl("metadata", "xesam:title"), QStringLiteral("Night Train"), waitMs);
        ctl("position", "100+");
        QTRY_COMPARE_WITH_TIMEOUT(ctl("metadata", "xesam:title"), QStringLiteral("second.mkv"), waitMs);

        // Open a local file, as from the command line.
        ctl("open", QUrl::fromLocalFile(tagged()).toString().toUtf8().constData());
        QTRY_COMPARE_WITH_TIMEOUT(ctl("metadata", "xesam:title"), QStringLiteral("Night Train"), waitMs);

        // A second player takes a name of its own beside the first.
        QProcess& another = startPlayer({});
        QTRY_COMPARE_WITH_TIMEOUT(playerctl({QStringLiteral("-l")}).split(QLatin1Char('\n')).size(), 2, waitMs);
        QVERIFY(playerctl({QStringLiteral("-l")})
                    .contains(QStringLiteral("zelk_player.instance%1").arg(another.processId())));

        // Quit ends the player (playerctl has no command for it).
        for (QProcess* process : {&player, &another}) {
            const QString name = process == &player ? service
                                                    : service + QStringLiteral(".instance%1").arg(process->processId());
            QDBusInterface root(name, path, QStringLiteral("org.mpris.MediaPlayer2"), connection);
            QVERIFY(root.call(QStringLiteral("Quit")).errorName().isEmpty());
            QVERIFY(process->waitForFinished(waitMs));
            QCOMPARE(process->exitCode(), 0);
        }
        QCOMPARE(playerctl({QStringLiteral("-l")}), QString());
    }

    // The types the player says it plays (MPRIS, and the desktop entry from
    // the same list) cover every type the General page's file associations
    // hand to the desktop.
    void supportedTypesCoverTheAssociations()
    {
        const QStringList supported = ZelkShell::InstalledPaths::videoMimeTypes();
        for (const char* extension : {".avi", ".mkv", ".mov", ".mp4", ".wmv", ".vob", ".mpg", ".mpeg", ".asf", ".qt"}) {
            const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(QLatin1String("x") + extension);
            QVERIFY2(!types.isEmpty(), extension);
            for (const QMimeType& type : types)
                QVERIFY2(supported.contains(type.name()), qPrintable(type.name()));
        }
    }

    // A failed case leaves no player behind.
    void cleanup()
    {
        for (const auto& process : players) {
            process->kill();
            process->waitForFinished(waitMs);
        }
        players.clear();
    }

    // Without a session bus the player plays as before and says nothing of it.
    void withoutABusThePlayerSaysNothing()
    {
        QProcess player;
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        variables.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        player.setProcessEnvironment(variables);
        player.start(testPlayerPath(), {QStringLiteral("--quit-on-first-frame"), tagged()});
        QVERIFY(player.waitForFinished(waitMs));
        QCOMPARE(player.exitCode(), 0);
        QVERIFY(player.readAllStandardOutput().startsWith("first-frame"));
        const QByteArray errors = player.readAllStandardError();
        QVERIFY2(!errors.contains("media player") && !errors.contains("MPRIS"), errors.constData());
    }

private:
    QString tagged() const { return QDir(media.path()).absoluteFilePath(QStringLiteral("tagged.mkv")); }

    QProcess& startPlayer(const QStringList& files)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.insert(QStringLiteral("DISPLAY"), display.name());
        variables.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        variables.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        process->setProcessEnvironment(variables);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(testPlayerPath(), files);
        players.push_back(std::move(process));
        return *players.back();
    }

    // playerctl's answer, trimmed; empty when it failed.
    QString playerctl(const QStringList& arguments) const
    {
        QProcess process;
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        process.setProcessEnvironment(variables);
        process.start(QStringLiteral("playerctl"), arguments);
        if (!process.waitForFinished(waitMs) || process.exitCode() != 0)
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    QString ctl(const char* command, const char* argument = nullptr) const
    {
        QStringList arguments{QStringLiteral("--player=zelk_player"), QString::fromLatin1(command)};
        if (argument)
            arguments << QString::fromUtf8(argument);
        return playerctl(arguments);
    }

    IsolatedEnvironment isolated;
    VirtualDisplay display;
    PrivateSessionBus bus;
    QTemporaryDir media;
    QString second;
    std::vector<std::unique_ptr<QProcess>> players;
    QList<qlonglong> seekedTo;
    QStringList announcedStatuses;
};

QTEST_GUILESS_MAIN(PlayerMprisTest)
#include "player_mpris_test.moc"
