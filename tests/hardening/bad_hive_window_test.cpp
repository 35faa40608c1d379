// Bad user hive files under the real window: a truncated file (cut inside
// the header, and cut in half), a zero-length file, garbage, garbage behind
// a genuine SQLite header, a hive the process may not write, and a hive path
// that is a FIFO (which must not make the window wait). For each,
// a fresh process opens the preferences window on that file, reads what the
// window shows, saves and closes. Checked:
// - a direct registry call fails with a registry error code (ERROR_BADDB or
//   ERROR_REGISTRY_CORRUPT; ERROR_ACCESS_DENIED for the read-only hive);
// - nothing crashes: the process ends normally;
// - the save reports its failure (a message, Apply left enabled);
// - the window shows the defaults, not the values in the file;
// - the file is never replaced or "repaired": same bytes, same inode, and
//   no journal files left beside it.
// The same probe on an intact copy of the hive shows the stored values, so
// the probe does tell stored values from defaults.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "PreferencesHarness.h"

#include "platform/win32_registry.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSpinBox>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace zelktest;

namespace {

// What the probe prints for the window's defaults and for the stored values
// (always on top, brightness, AVI association, subtitle delay).
const QByteArray shownDefaults = "shown 0 0 1 0";
const QByteArray shownStored = "shown 1 40 0 25";

int makeHive()
{
    const bool ok = storeBool("Playback", "AlwaysOnTop", true) && storeInt("Codec", "Brightness", 40)
        && storeBool("General", "AVIFileAssoc", false) && storeInt("Subtitles", "SubtitleDelay", 25);
    return ok && RegFlushKey(HKEY_CURRENT_USER) == ERROR_SUCCESS ? 0 : 1;
}

int probeWindow()
{
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\Zelk", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                        &key, nullptr);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    std::printf("registry %ld\n", long(status));
    {
        PreferencesHarness harness;
        if (!harness.created())
            return 2;
        harness.call("showPreferences");
        std::printf("shown %d %d %d %d\n", int(harness.child<QCheckBox>("onTopCheckBox")->isChecked()),
                    harness.child<QAbstractSlider>("brightnessSlider")->value(),
                    int(harness.child<QCheckBox>("aviCheckBox")->isChecked()),
                    harness.child<QSpinBox>("subtitleDelaySpinBox")->value());
        harness.child<QCheckBox>("onTopCheckBox")->click();
        // A save that cannot write says so in a message box.
        ModalAnswerer message(ModalAnswerer::press(QMessageBox::Ok), 3000);
        const bool called = harness.call("save");
        std::printf("saved %d reported %d apply %d\n", int(called), int(message.shown()), int(harness.applyEnabled()));
    }
    std::fflush(stdout);
    return 0;
}

struct FileState {
    QByteArray bytes;
    ino_t inode = 0;
};

FileState stateOf(const QString& path)
{
    FileState state;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        state.bytes = file.readAll();
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        state.inode = info.st_ino;
    return state;
}

} // namespace

class BadHiveWindowTest : public QObject {
    Q_OBJECT

    QByteArray intactHive;

    // Runs this binary with `arguments` on the hive directory `dir`,
    // optionally as the unprivileged user; returns its output.
    QByteArray runSelf(const QString& dir, const QStringList& arguments, bool asOtherUser, int* exitCode,
                       int timeoutMs = 60000)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZELK_HARDENING_HIVE_DIR"), dir);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList all = arguments;
        QString program = QCoreApplication::applicationFilePath();
        if (asOtherUser) {
            all = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                              QStringLiteral("--clear-groups"), program}
                + arguments;
            program = QStringLiteral("setpriv");
        }
        process.start(program, all);
        process.waitForFinished(timeoutMs);
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return process.readAllStandardOutput();
    }

    QString freshDir()
    {
        const QString dir = QString::fromStdString(isolatedEnvironment().root()) + QStringLiteral("/case-")
            + QString::number(++cases);
        QDir().mkpath(dir);
        return dir;
    }
    int cases = 0;

private slots:
    void initTestCase()
    {
        const QString dir = freshDir();
        int exitCode = -1;
        runSelf(dir, {QStringLiteral("--make-hive")}, false, &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(!QFile::exists(dir + QStringLiteral("/user.db-wal")), "the writer folds its log at exit");
        intactHive = stateOf(dir + QStringLiteral("/user.db")).bytes;
        QVERIFY(intactHive.size() > 4096);
    }

    void badFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QByteArray>("expectedShown");
        QByteArray garbage(intactHive.size(), '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 2654435761u) >> 13);
        QByteArray garbageAfterHeader = garbage;
        garbageAfterHeader.replace(0, 100, intactHive.left(100));

        QTest::newRow("intact copy") << intactHive << false << shownStored;
        QTest::newRow("truncated in the header") << intactHive.left(60) << false << shownDefaults;
        QTest::newRow("truncated in half") << intactHive.left(intactHive.size() / 2) << false << shownDefaults;
        QTest::newRow("zero length") << QByteArray() << false << shownDefaults;
        QTest::newRow("garbage") << garbage << false << shownDefaults;
        QTest::newRow("garbage behind a database header") << garbageAfterHeader << false << shownDefaults;
        QTest::newRow("read-only") << intactHive << true << shownDefaults;
    }

    void badFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, readOnly);
        QFETCH(QByteArray, expectedShown);
        // A read-only hive lives in a directory of its own under /tmp that
        // the unprivileged user may enter but not write.
        QString dir = freshDir();
        if (readOnly) {
            QByteArray pattern = "/tmp/zelk-readonly-hive-XXXXXX";
            QVERIFY(::mkdtemp(pattern.data()));
            dir = QString::fromLocal8Bit(pattern);
        }
        const QString hive = dir + QStringLiteral("/user.db");
        {
            QFile file(hive);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        bool asOtherUser = false;
        if (readOnly) {
            // Root may write any file: it acts as the unprivileged user on a
            // root-owned hive that user can read.
            asOtherUser = ::geteuid() == 0;
            // setpriv must exist, and the other user must be able to run this
            // binary (not so in a checkout below a private home).
            const QString check = QStringLiteral("setpriv --reuid=65534 --regid=65534 --clear-groups test -x '%1' 2>/dev/null")
                                      .arg(QCoreApplication::applicationFilePath());
            if (asOtherUser && QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), check}) != 0)
                QSKIP("cannot run this binary as another user");
            const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
            const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
            QVERIFY(QFile::setPermissions(hive, readable));
            QVERIFY(QFile::setPermissions(dir, readable | enterable));
        }
        const FileState before = stateOf(hive);

        int exitCode = -1;
        const QByteArray output = runSelf(dir, {QStringLiteral("--window-probe")}, asOtherUser, &exitCode);
        const FileState after = stateOf(hive);
        const QStringList files = QDir(dir).entryList(QDir::Files | QDir::Hidden);
        if (readOnly) {
            QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(hive, QFile::ReadOwner | QFile::WriteOwner);
            QDir(dir).removeRecursively();
        }

        QVERIFY2(exitCode == 0, output.constData());
        const QList<QByteArray> lines = output.split('\n');
        QVERIFY2(lines.size() >= 3, output.constData());
        const long status = lines.at(0).mid(9).toLong();
        if (expectedShown == shownStored)
            QCOMPARE(status, 0L);
        else if (readOnly)
            QCOMPARE(status, long(ERROR_ACCESS_DENIED));
        else
            QVERIFY2(status == ERROR_BADDB || status == ERROR_REGISTRY_CORRUPT, lines.at(0).constData());
        QCOMPARE(lines.at(1), expectedShown);
        // The intact hive is saved to; on a bad one the save reports that it
        // stored nothing, and Apply stays enabled.
        QCOMPARE(lines.at(2), expectedShown == shownStored ? QByteArray("saved 1 reported 0 apply 0")
                                                           : QByteArray("saved 1 reported 1 apply 1"));

        if (expectedShown == shownStored)
            return; // the intact hive was saved to, as it should be
        QVERIFY2(after.bytes == before.bytes, "the hive file was changed");
        QCOMPARE(after.inode, before.inode);
        QCOMPARE(files, QStringList{QStringLiteral("user.db")}); // no journal, no replacement left beside it
    }

    void fifoHive()
    {
        const QString dir = freshDir();
        const QByteArray hive = QFile::encodeName(dir + QStringLiteral("/user.db"));
        QVERIFY(::mkfifo(hive.constData(), 0600) == 0);
        QElapsedTimer clock;
        clock.start();
        int exitCode = -1;
        const QByteArray output = runSelf(dir, {QStringLiteral("--window-probe")}, false, &exitCode, 20000);
        QVERIFY2(exitCode == 0, "the window process waited on the FIFO or failed");
        QVERIFY2(clock.elapsed() < 20000, "the window process was stopped by the time bound");
        const QList<QByteArray> lines = output.split('\n');
        QVERIFY2(lines.size() >= 3, output.constData());
        QCOMPARE(lines.at(0), QByteArray("registry ") + QByteArray::number(int(ERROR_BADDB)));
        QCOMPARE(lines.at(1), shownDefaults);
        struct stat info;
        QVERIFY(::lstat(hive.constData(), &info) == 0 && S_ISFIFO(info.st_mode));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{QStringLiteral("user.db")});
    }
};

int main(int argc, char** argv)
{
    // A child works on the hive directory its parent prepared.
    if (const char* dir = std::getenv("ZELK_HARDENING_HIVE_DIR"))
        setenv("ZELK_REGISTRY_DIR", dir, 1);
    QApplication app(argc, argv);
    if (argc == 2 && QByteArray(argv[1]) == "--make-hive")
        return makeHive();
    if (argc == 2 && QByteArray(argv[1]) == "--window-probe")
        return probeWindow();
    BadHiveWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "bad_hive_window_test.moc"
