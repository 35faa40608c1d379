// Resume positions in a store another tool filled: storing one more never
// holds up the GUI thread while the store is brought back to its capacity
// (also when the player window closes over a generated video), and names
// that are not valid Unicode (a lone UTF-16 surrogate) are removed like any
// other, so the log says "could not be stored" only when the store really
// failed.

#include "IsolatedEnvironment.h"
#include "LogCounter.h"
#include "PlaybackTestMedia.h"
#include "PreferencesHarness.h"
#include "ShellTestSupport.h"
#include "StallMeter.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/window/PlayerWindow.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/behaviour/ResumePositions.h"
#include "host/shell/behaviour/StoredPaths.h"
#include "settings/IZelkSettings.h"
#include "settings/PreferenceAccessors.h"
#include "settings/SettingsBatch.h"
#include "win32_registry.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <QTemporaryDir>

#include <atomic>
#include <memory>
#include <thread>

using namespace zelktest;
using namespace ZelkShell;

namespace {

using Section = ovra::RefCountedPtr<ilsk::IZelkSettings>;

// The positions key of the user hive, unless `mode` says another.
Section positionsKey(ilsk::AccessMode mode = ilsk::UserCreate)
{
    Section section;
    ilsk::openSettings(ZelkNimbo::componentSettingsPath() + "/" + ResumePositions::sectionName, mode, section.out());
    return section;
}

ilsk::Utf16String utf16(const QString& text)
{
    return ilsk::Utf16String(reinterpret_cast<const WCHAR*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

// Writes positions the way an older player or another tool left them, all
// older than anything stored from now on: entry i gets stamp i + 1, so the
// last ones are the newest.
bool plant(const std::vector<ilsk::Utf16String>& names)
{
    Section section = positionsKey();
    ilsk::SettingsBatch batch;
    if (!section || batch.status() != 0)
        return false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!section->setValue(names[i], QStringLiteral("45000;%1").arg(i + 1).toStdString()))
            return false;
    }
    // Folded into the hive file, as when the tool that wrote them ended.
    return batch.commit() == 0 && RegFlushKey(HKEY_CURRENT_USER) == ERROR_SUCCESS;
}

bool listed(const ilsk::Utf16String& name)
{
    std::string data;
    Section section = positionsKey();
    return section && section->getValue(name, data);
}

std::vector<ilsk::Utf16String> numberedNames(int count, int length)
{
    std::vector<ilsk::Utf16String> names;
    for (int i = 0; i < count; ++i) {
        const QString number = QString::number(i);
        names.push_back(utf16(QStringLiteral("/videos/") + QString(length - 13 - number.size(), QLatin1Char('x'))
                              + number + QStringLiteral(".mkv")));
    }
    return names;
}


} // namespace

class ResumePositionsTrimTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        ZelkNimbo::releaseComponentSettings();
        clearStore();
    }

    void aFullStoreIsTrimmedWithoutHoldingUpTheWindow_data()
    {
        QTest::addColumn<int>("planted");
        QTest::addColumn<int>("nameLength");
        QTest::newRow("10,000 positions") << 10000 << 60;
        QTest::newRow("300 names of 16,000 characters") << 300 << 16000;
    }

    // Storing the open video's position at quit, as the window does, with the
    // store over its capacity: the GUI thread keeps its event loop running
    // (and reads the store meanwhile) while the oldest entries go; the store
    // ends with exactly the newest 300.
    void aFullStoreIsTrimmedWithoutHoldingUpTheWindow()
    {
        QFETCH(int, planted);
        QFETCH(int, nameLength);
        const std::vector<ilsk::Utf16String> names = numberedNames(planted, nameLength);
        QVERIFY(plant(names));
        const QString film = QStringLiteral("/videos/the film left open.mkv");
        LogCounter failures("could not");

        std::atomic<bool> trimmed{false};
        std::thread waiter;
        QElapsedTimer quit;
        qint64 storeMs = 0;
        {
            ResumePositions positions;
            StallMeter stalls;
            QTimer::singleShot(10, [&] {
                quit.start();
                QVERIFY(positions.remember(film, 1800.0, 3600.0));
                storeMs = quit.elapsed();
                waiter = std::thread([&] {
                    positions.waitUntilTrimmed();
                    trimmed = true;
                });
            });
            // The window goes on using the store meanwhile: a trim that held
            // the GUI thread would leave no turn of its event loop that still
            // finds the oldest position there.
            int turnsBeforeTrimmed = 0;
            QTimer reads;
            QObject::connect(&reads, &QTimer::timeout, [&] {
                if (!waiter.joinable())
                    return;
                QCOMPARE(positions.positionFor(film, 3600.0), std::optional<double>(1800.0));
                if (listed(names.front()))
                    ++turnsBeforeTrimmed;
            });
            reads.start(2);
            QVERIFY(QTest::qWaitFor([&] { return trimmed.load(); }, 120000));
            waiter.join();
            // One more turn of the event loop, for a stall that ended with the trim.
            QTest::qWait(50);
            qInfo("%d stored positions: storing took %lld ms on the GUI thread, the longest GUI stall was %lld ms, "
                  "trimmed to %d after %lld ms and %d turns of the event loop",
                  planted, storeMs, stalls.longestMs(), positions.count(), quit.elapsed(), turnsBeforeTrimmed);
            QCOMPARE(positions.count(), ResumePositions::defaultCapacity);
            QVERIFY2(turnsBeforeTrimmed > 0, "the store was trimmed before the event loop turned once");
        }
        // A generous bound (see docs/performance.md).
        QVERIFY2(quit.elapsed() < 20000, qPrintable(QStringLiteral("%1 ms").arg(quit.elapsed())));
        QCOMPARE(failures.count.load(), 0);

        // Exactly the oldest went: the film and the newest 299 of the others stay.
        ZelkNimbo::releaseComponentSettings();
        QCOMPARE(ResumePositions().positionFor(film, 3600.0), std::optional<double>(1800.0));
        const std::size_t firstKept = names.size() - (ResumePositions::defaultCapacity - 1);
        QVERIFY(!listed(names[firstKept - 1]));
        QVERIFY(listed(names[firstKept]));
        QVERIFY(listed(names.back()));
    }

    // The player window closing over a paused video with 10,000 positions in
    // the store: the window goes at once, the quit ends once the store is
    // trimmed, and the video resumes where it was left.
    void closingThePlayerOverAFullStore()
    {
        const std::vector<ilsk::Utf16String> planted = numberedNames(10000, 60);
        QVERIFY(plant(planted));
        QTemporaryDir media;
        const QString video = makeGreyVideo(QDir(media.path()), QStringLiteral("two minutes.mkv"), 120);
        QVERIFY(!video.isEmpty());
        ZelkShell::PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        auto window = std::make_unique<ZelkShell::PlayerWindow>(plugins);
        window->show();
        ZelkShell::PlaybackEngine& engine = window->engine();
        QSignalSpy loaded(&engine, &ZelkShell::PlaybackEngine::fileLoaded);
        window->playFiles({video});
        QVERIFY(loaded.wait(10000));
        engine.setPaused(true);
        engine.seek(65.0, true);
        QVERIFY(QTest::qWaitFor([&] { return engine.isPaused() && qAbs(engine.position() - 65.0) < 0.2; }, 10000));

        LogCounter failures("could not");
        StallMeter stalls;
        QElapsedTimer quit;
        qint64 closeMs = -1;
        QTimer::singleShot(10, [&] {
            quit.start();
            window->close();
            closeMs = quit.elapsed();
        });
        QVERIFY(QTest::qWaitFor([&] { return closeMs >= 0; }, 10000));
        // The window went before the oldest positions did: its event loop
        // turns while they are removed.
        int turnsBeforeTrimmed = 0;
        QVERIFY(QTest::qWaitFor(
            [&] {
                if (!listed(planted.front()))
                    return true;
                ++turnsBeforeTrimmed;
                return false;
            },
            60000));
        window.reset(); // the quit ends once the background trim has
        const qint64 quitMs = quit.elapsed();
        qInfo("closing the player over 10,000 stored positions: close() took %lld ms, the longest GUI stall was "
              "%lld ms, the quit ended after %lld ms, %d turns of the event loop before the trim ended",
              closeMs, stalls.longestMs(), quitMs, turnsBeforeTrimmed);
        QVERIFY2(turnsBeforeTrimmed > 0, "the store was trimmed before the window's close returned");
        QVERIFY2(quitMs < 20000, qPrintable(QStringLiteral("%1 ms").arg(quitMs)));
        QCOMPARE(failures.count.load(), 0);

        ZelkNimbo::releaseComponentSettings();
        ResumePositions positions;
        QCOMPARE(positions.count(), ResumePositions::defaultCapacity);
        const std::optional<double> resumeAt = positions.positionFor(video, 120.0);
        QVERIFY(resumeAt && qAbs(*resumeAt - 65.0) < 0.5);
    }

    // Names another tool wrote with a lone surrogate are the oldest here: they
    // are removed like the others, and storing reports success because it
    // succeeded, quit after quit.
    void namesWithLoneSurrogatesAreTrimmedAndNoFailureIsLogged()
    {
        std::vector<ilsk::Utf16String> names;
        for (int i = 0; i < 5; ++i) {
            ilsk::Utf16String name = utf16(QStringLiteral("/videos/broken %1 .mkv").arg(i));
            name[15] = i % 2 ? 0xDC00 + i : 0xD800 + i; // high and low halves, each alone
            names.push_back(name);
        }
        for (int i = 0; i < ResumePositions::defaultCapacity; ++i)
            names.push_back(utf16(QStringLiteral("/videos/%1.mkv").arg(i)));
        QVERIFY(plant(names));

        LogCounter failures("could not");
        for (int quit = 0; quit < 3; ++quit) {
            ResumePositions positions;
            const QString film = QStringLiteral("/videos/film %1.mkv").arg(quit);
            QVERIFY(positions.remember(film, 600.0, 3600.0));
            positions.waitUntilTrimmed();
            QCOMPARE(positions.count(), ResumePositions::defaultCapacity);
            QCOMPARE(positions.positionFor(film, 3600.0), std::optional<double>(600.0));
        }
        QCOMPARE(failures.count.load(), 0);
        for (int i = 0; i < 5; ++i)
            QVERIFY2(!listed(names[static_cast<std::size_t>(i)]), qPrintable(QString::number(i)));
        // Three quits made room for three films: the three oldest plain names went too.
        QVERIFY(!listed(names[7]));
        QVERIFY(listed(names[8]));
    }

    // With the component's key in the machine hive too, the section the
    // positions are written through reads through to it: the trim still
    // removes the oldest of those writes, and leaves the machine's own value
    // without a word of failure.
    void theTrimReachesTheWritesBesideAMachineKey()
    {
        const auto removeMachineKeys = qScopeGuard([] { SHDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zelk"); });
        Section machine = positionsKey(ilsk::MachineCreate);
        QVERIFY(machine);
        const std::string machineName = "/videos/the machine's.mkv";
        QVERIFY(machine->setValue(machineName, std::string("45000;1")));

        LogCounter failures("could not");
        ResumePositions positions(2);
        QStringList films;
        for (int i = 0; i < 3; ++i) {
            films << QStringLiteral("/videos/film %1.mkv").arg(i);
            QVERIFY(positions.remember(films.last(), 600.0, 3600.0));
            positions.waitUntilTrimmed();
        }
        for (int i = 0; i < films.size(); ++i)
            QCOMPARE(listed(utf16(StoredPaths::encode(films[i]))), i > 0);
        std::string data;
        QVERIFY(machine->getValue(machineName, data));
        QCOMPARE(failures.count.load(), 0);
    }

    // A value of another type under a file's plain path (another tool's)
    // is no position: never resumed, and gone once the file's position is
    // stored or forgotten.
    void aPlainPathValueOfAnotherTypeGoesWithTheFile()
    {
        ResumePositions positions;
        for (const bool forget : {false, true}) {
            const QString film = QStringLiteral("/videos/typed %1.mkv").arg(forget);
            Section section = positionsKey();
            QVERIFY(section && section->setValue(film.toStdString(), std::uint32_t(45000)));
            QCOMPARE(positions.positionFor(film, 3600.0), std::nullopt);
            QVERIFY(forget ? positions.forget(film) : positions.remember(film, 600.0, 3600.0));
            std::set<std::string> names;
            QVERIFY(section->getValueNames(names));
            QVERIFY2(names.count(film.toStdString()) == 0, qPrintable(film));
        }
    }
};

QTEST_MAIN(ResumePositionsTrimTest)
#include "resume_positions_trim_test.moc"
