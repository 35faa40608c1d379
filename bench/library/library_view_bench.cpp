// How long the window goes without answering while the video library is
// large: the longest gap between the ticks of a 2 ms timer on the GUI thread
// (tests/shell/StallMeter.h), in two moments:
//
// - start: the player's views are made and the default folder (the same
//   videos, already in the library: a second start) is walked again, until
//   the walk has landed;
// - open: View → Video Library, until its list shows rows and a moment more.
//
// Each is measured with a library of `videos` entries and, as the baseline,
// with an empty library and an empty folder, in the same run; the median of
// the rounds is reported.
//
//   QT_QPA_PLATFORM=offscreen build/bench/library/library_view_bench [videos] [rounds]

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "host/shell/window/LibraryView.h"
#include "host/shell/window/PlayerViews.h"
#include "tests/shell/StallMeter.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace ZelkShell;

namespace {

constexpr int filesPerFolder = 1000;
// After the list first shows rows: scrolling and drawing may still fetch.
constexpr int settleMs = 500;

struct Stalls {
    qint64 start = 0;
    qint64 open = 0;
};

// `videos` empty .mkv files under `root`, in folders of 1,000.
QStringList makeVideos(const QString& root, int videos)
{
    QStringList paths;
    for (int i = 0; i < videos; ++i) {
        const QString folder = QStringLiteral("%1/season %2").arg(root).arg(i / filesPerFolder);
        if (i % filesPerFolder == 0 && !QDir().mkpath(folder))
            return {};
        paths << QStringLiteral("%1/episode %2.mkv").arg(folder).arg(i);
        const int fd = ::open(QFile::encodeName(paths.last()).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::close(fd) != 0)
            return {};
    }
    return paths;
}

// Spins the event loop until `done` or `timeoutMs`; false on the timeout.
template <typename Done>
bool waitFor(Done done, int timeoutMs = 120000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.hasExpired(timeoutMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void settle()
{
    QElapsedTimer clock;
    clock.start();
    waitFor([&clock] { return clock.hasExpired(settleMs); });
}

// One start and one opening of the library view; false when something did
// not finish.
bool measureOnce(const QString& folder, int expectedRows, Stalls* stalls)
{
    BehaviourSettings settings;
    settings.mediaFolder = folder;
    settings.addDefaultFolderToLibrary = true;
    settings.startupView = QLatin1String(PlayerViews::playbackName);
    zelktest::StallMeter startMeter;
    PlayerViews views(new QWidget, [&settings] { return settings; });
    views.refreshLibrary();
    views.resize(800, 600);
    views.show();
    if (!waitFor([&views] { return !views.libraryWorkPending(); }))
        return false;
    settle();
    stalls->start = startMeter.longestMs();

    zelktest::StallMeter openMeter;
    views.showView(QLatin1String(PlayerViews::libraryName));
    const QAbstractItemModel* rows = views.libraryView()->videoList()->model();
    if (!waitFor([rows, expectedRows] { return expectedRows == 0 || rows->rowCount() > 0; }))
        return false;
    settle();
    stalls->open = openMeter.longestMs();
    return true;
}

qint64 median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    // The library goes to a data folder of the benchmark's own.
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("ZELK_REGISTRY_DIR", QFile::encodeName(home.filePath(QStringLiteral("registry"))));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int videos = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (videos <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: library_view_bench [videos] [rounds]\n");
        return 2;
    }
    const QString memory = QStringLiteral("/dev/shm");
    QTemporaryDir media((QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) +
                        QStringLiteral("/library_view_bench-XXXXXX"));
    const QString full = media.filePath(QStringLiteral("full"));
    const QString empty = media.filePath(QStringLiteral("empty"));
    if (!media.isValid() || makeVideos(full, videos).size() != videos || !QDir().mkpath(empty)) {
        std::fprintf(stderr, "cannot make the videos\n");
        return 1;
    }

    std::vector<qint64> startEmpty, openEmpty, startFull, openFull;
    for (int round = 0; round < rounds; ++round) {
        for (const bool filled : {false, true}) {
            QFile::remove(VideoLibrary::defaultLocation());
            Stalls first, second;
            // The first start fills the library; the second is the one measured.
            if (!measureOnce(filled ? full : empty, filled ? videos : 0, &first) ||
                !measureOnce(filled ? full : empty, filled ? videos : 0, &second)) {
                std::fprintf(stderr, "the library did not fill\n");
                return 1;
            }
            (filled ? startFull : startEmpty).push_back(second.start);
            (filled ? openFull : openEmpty).push_back(second.open);
        }
    }
    std::printf("longest event-loop stall, %d videos against an empty library, median of %d rounds\n", videos, rounds);
    std::printf("%-34s %10s %10s\n", "moment", "empty ms", "full ms");
    std::printf("%-34s %10lld %10lld\n", "second start (folder walked)", median(startEmpty), median(startFull));
    std::printf("%-34s %10lld %10lld\n", "View > Video Library", median(openEmpty), median(openFull));
    return 0;
}
