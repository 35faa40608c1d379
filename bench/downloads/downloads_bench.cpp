// downloads_bench [MEGABYTES] [ROUNDS]: downloads one file of random bytes
// (256 MB unless told) from a loopback HTTP server running on a thread of
// its own, with the player's download manager and with `curl -o`, in
// alternating rounds into the same folder, and prints the median rates and
// their ratio. While the manager downloads, the longest gap between the
// ticks of a 2 ms timer on the GUI thread is measured too: how long the
// window would have gone without answering, beside the same timer's longest
// gap over a second of doing nothing.

#include "LoopbackHttpServer.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/downloads/DownloadManager.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/videolibrary/VideoLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ZelkShell;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Run {
    double megabytesPerSecond = 0;
    qint64 longestStallMs = 0;
};

Run withCurl(const QUrl& url, const QString& target, qint64 size)
{
    QElapsedTimer clock;
    clock.start();
    QProcess curl;
    curl.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-o"), target, url.toString()});
    if (!curl.waitForFinished(600000) || curl.exitCode() != 0 || QFileInfo(target).size() != size) {
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
        return {};
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    QFile::remove(target);
    return {size / 1e6 / seconds, 0};
}

// The longest gap of the same timer over `ms` with nothing to do: what the
// machine's scheduling alone gives.
qint64 idleGapMs(int ms)
{
    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    sinceTick.start();
    tick.start(2);
    loop.exec();
    return longest;
}

Run withManager(const QUrl& url, const QString& folder, const QString& libraryFile, qint64 size)
{
    VideoLibrary library(libraryFile, 10);
    QString error;
    if (!library.open(&error)) {
        std::fprintf(stderr, "library: %s\n", qUtf8Printable(error));
        return {};
    }
    LibraryWriter writer(library.file());
    BehaviourSettings settings;
    settings.mediaFolder = folder;
    settings.autoClearDownloads = true;
    DownloadManager manager(library, writer, [&settings] { return settings; });
    manager.load();

    QEventLoop loop;
    QString path;
    QObject::connect(&manager, &DownloadManager::finished, &loop, [&](qint64, const QString& file) {
        path = file;
        loop.quit();
    });
    QObject::connect(&manager, &DownloadManager::changed, &loop, [&](qint64 id) {
        const DownloadManager::Download* download = manager.find(id);
        if (download && download->state == DownloadManager::State::Failed) {
            std::fprintf(stderr, "download failed: %s\n", qUtf8Printable(download->error));
            loop.quit();
        }
    });
    Run run;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] { run.longestStallMs = std::max(run.longestStallMs, sinceTick.restart()); });

    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    tick.start(2);
    if (!manager.add(url.toString()).isEmpty())
        return {};
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    tick.stop();
    if (path.isEmpty() || QFileInfo(path).size() != size) {
        std::fprintf(stderr, "the manager's file is missing or short\n");
        return {};
    }
    QFile::remove(path);
    run.megabytesPerSecond = size / 1e6 / seconds;
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const qint64 size = qint64(arguments.value(1, QStringLiteral("256")).toInt()) * 1024 * 1024;
    const int rounds = arguments.value(2, QStringLiteral("5")).toInt();

    QByteArray body(int(size), Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32*>(body.data()), int(size / 4));
    zelktest::LoopbackHttpServer::Resource resource;
    resource.body = body;
    resource.etag = "\"bench\"";

    // The server answers on a thread of its own, as a server elsewhere would.
    QThread serverThread;
    auto* server = new zelktest::LoopbackHttpServer;
    server->serve("/big.bin", resource);
    server->moveToThread(&serverThread);
    QObject::connect(&serverThread, &QThread::finished, server, &QObject::deleteLater);
    serverThread.start();
    bool listening = false;
    QMetaObject::invokeMethod(server, [&] { listening = server->listen(); }, Qt::BlockingQueuedConnection);
    if (!listening) {
        std::fprintf(stderr, "the loopback server did not start\n");
        return 1;
    }
    const QUrl url = server->url("/big.bin");

    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("Videos"));
    // The library in a data folder of its own: downloads never go into it.
    const QString data = work.filePath(QStringLiteral("data"));
    QDir().mkpath(folder);
    QDir().mkpath(data);
    std::vector<double> ours, curl, ratios;
    qint64 longestStallMs = 0;
    for (int round = 0; round < rounds; ++round) {
        const Run c = withCurl(url, QDir(folder).filePath(QStringLiteral("curl.bin")), size);
        const Run m = withManager(url, folder, QDir(data).filePath(QStringLiteral("library.sqlite")), size);
        if (c.megabytesPerSecond <= 0 || m.megabytesPerSecond <= 0)
            break;
        const qint64 idle = idleGapMs(1000);
        std::printf("round %d: manager %.0f MB/s (longest GUI-thread gap %lld ms; idle %lld ms), curl %.0f MB/s\n",
                    round + 1, m.megabytesPerSecond, static_cast<long long>(m.longestStallMs),
                    static_cast<long long>(idle), c.megabytesPerSecond);
        std::fflush(stdout);
        ours.push_back(m.megabytesPerSecond);
        curl.push_back(c.megabytesPerSecond);
        ratios.push_back(m.megabytesPerSecond / c.megabytesPerSecond);
        longestStallMs = std::max(longestStallMs, m.longestStallMs);
    }
    if (ours.empty()) {
        serverThread.quit();
        serverThread.wait();
        return 1;
    }
    // The rounds' own ratios too: a round of each runs back to back, so
    // their ratio is less moved by the load of other programs.
    std::printf("%lld MB over loopback, median of %d rounds: manager %.0f MB/s, curl %.0f MB/s, ratio %.2f, "
                "median round ratio %.2f (target >= 0.90); longest GUI-thread gap %lld ms\n",
                static_cast<long long>(size >> 20), int(ours.size()), median(ours), median(curl),
                median(ours) / median(curl), median(ratios), static_cast<long long>(longestStallMs));

    serverThread.quit();
    serverThread.wait();
    return 0;
}
