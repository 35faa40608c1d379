// Each video output, in the player's own process, from start to a close
// while playing: the first frame is reported, the process ends cleanly
// (under the sanitizer run: without a leak), and no X error is logged. The
// outputs drawing on X11 run on a virtual display this test starts.

#include "IsolatedEnvironment.h"
#include "PlaybackTestMedia.h"
#include "ShellTestSupport.h"
#include "VirtualDisplay.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace zelktest;

namespace {

// The display's OpenGL driver (Mesa's, on a virtual display), or empty.
QString openGlDriver()
{
    for (const char* path : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
                             "/usr/lib64/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"}) {
        if (QFile::exists(QLatin1String(path)))
            return QLatin1String(path);
    }
    return QString();
}

} // namespace

class PlayerVideoOutputsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(media_.isValid());
        clip_ = makeClip(QDir(media_.path()), QStringLiteral("clip.mkv"), 4.0);
        QVERIFY(!clip_.isEmpty());
        display_ = std::make_unique<VirtualDisplay>();
        if (!display_->start(&displayProblem_))
            display_.reset();
    }

    void closeWhilePlaying_data()
    {
        QTest::addColumn<QString>("storedOutput");
        QTest::addColumn<bool>("needsDisplay");
        QTest::newRow("software") << QStringLiteral("com.zelk.streamengine.output.software") << false;
        QTest::newRow("OpenGL") << QStringLiteral("com.zelk.streamengine.output.opengl") << true;
        QTest::newRow("engine window") << QStringLiteral("com.zelk.streamengine.output.xvideo") << true;
    }

    // The player closes itself at its first frame (the hidden option the
    // benchmark uses), with the engine playing and drawing.
    void closeWhilePlaying()
    {
        QFETCH(QString, storedOutput);
        QFETCH(bool, needsDisplay);
        if (needsDisplay && !display_)
            QSKIP(qPrintable(displayProblem_));
        QVERIFY(storeString("Video", "VideoOutputMethod", storedOutput));
        // Hardware decoding allowed: the engine probes its decoders with the
        // display it was given (none exist on a virtual display).
        QVERIFY(storeBool("Video", "HardwareDecodingDisabled", false));

        QProcess player;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (needsDisplay) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            environment.insert(QStringLiteral("DISPLAY"), display_->name());
            // The driver is unloaded at exit before the sanitizer's leak check,
            // taking the only pointers to what it keeps for the process's life
            // with it: those would read as leaks. Loaded from the start, it
            // stays mapped (the sanitizer then needs to be told it is not first).
            const QString driver = openGlDriver();
            if (!driver.isEmpty()) {
                environment.insert(QStringLiteral("LD_PRELOAD"), driver);
                const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
                environment.insert(QStringLiteral("ASAN_OPTIONS"),
                                   (sanitizer.isEmpty() ? QString() : sanitizer + QLatin1Char(':'))
                                       + QStringLiteral("verify_asan_link_order=0"));
            }
        } else {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        player.setProcessEnvironment(environment);
        QStringList arguments{QStringLiteral("--quit-on-first-frame")};
        for (const QString& folder : playerPluginFolders())
            arguments << QStringLiteral("--plugins") << folder;
        player.start(zelktest::testPlayerPath(), arguments << clip_);
        QVERIFY(player.waitForFinished(90000));
        const QString errors = QString::fromUtf8(player.readAllStandardError());
        const QString output = QString::fromUtf8(player.readAllStandardOutput()).trimmed();
        QVERIFY2(player.exitStatus() == QProcess::NormalExit && player.exitCode() == 0, qPrintable(errors));
        QVERIFY2(output.startsWith(QLatin1String("first-frame ")) && output.endsWith(QLatin1String(" playing")),
                 qPrintable(output + QLatin1Char('\n') + errors));
        // The output asked for really drew: no fall back to another one.
        QVERIFY2(!errors.contains(QLatin1String("using the software renderer")), qPrintable(errors));
        QVERIFY2(!errors.contains(QLatin1String("cannot draw")), qPrintable(errors));
        for (const char* xError : {"X Error", "X11 error", "XCB error", "BadWindow", "BadDrawable"})
            QVERIFY2(!errors.contains(QLatin1String(xError)), qPrintable(errors));
    }

private:
    QTemporaryDir media_;
    QString clip_;
    std::unique_ptr<VirtualDisplay> display_;
    QString displayProblem_;
};

QTEST_MAIN(PlayerVideoOutputsTest)
#include "player_video_outputs_test.moc"
