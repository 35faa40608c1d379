// The preferences window as the user meets it: the player is running, the
// user presses Ctrl+P, the window appears. Timed from the key press (XTest)
// to the window manager mapping the window, against VLC's preferences opened
// the same way and against a bare X window mapped by this program, the three
// alternated round by round in one run:
//
// - first open (a fresh player) and second open (after closing the window
//   once), each player's median, and ours ÷ VLC's;
// - memory the window adds to its process (RSS and PSS from
//   /proc/PID/smaps_rollup, once the process has gone quiet) and what closing
//   it gives back.
//
// The player builds its window ahead, after start-up; it is measured as it
// ships and as started with --preferences-on-demand (the window built at the
// key press). What building ahead costs an idle player is the difference of
// the two idle players' memory, and the window's memory in all is that plus
// what opening it adds.
//
//   preferences_window_bench [rounds]
//
// Needs DISPLAY with a window manager running; bench/preferences-window/run.sh
// starts Xvfb and openbox and runs this. Run as root, both players run as
// "nobody" (VLC refuses root). Home and registry folders are temporary.

#include "DisplayWatch.h"
#include "ProcessFigures.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using zelkbench::DisplayWatch;
using zelkbench::ProcessMemory;

const int startTimeoutMs = 30000;
const int openTimeoutMs = 10000;
const int quietMs = 400;

struct Player {
    const char* name;
    QString program;
    QStringList arguments;
};

struct Round {
    long idleRssKiB = 0, idlePssKiB = 0;
    double firstMs = -1;
    double secondMs = -1;
    long rssAddedKiB = 0, pssAddedKiB = 0;
    long rssGivenBackKiB = 0, pssGivenBackKiB = 0;
};

struct Figures {
    std::vector<double> idleRss, idlePss, first, second, rssAdded, pssAdded, rssBack, pssBack;

    void add(const Round& round)
    {
        idleRss.push_back(round.idleRssKiB / 1024.0);
        idlePss.push_back(round.idlePssKiB / 1024.0);
        first.push_back(round.firstMs);
        second.push_back(round.secondMs);
        rssAdded.push_back(round.rssAddedKiB / 1024.0);
        pssAdded.push_back(round.pssAddedKiB / 1024.0);
        rssBack.push_back(round.rssGivenBackKiB / 1024.0);
        pssBack.push_back(round.pssGivenBackKiB / 1024.0);
    }
};

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Opens the window with Ctrl+P; -1 when it did not appear.
double openPreferences(DisplayWatch& display, long pid, Window main, Window* preferences)
{
    display.pressKeys(main, "ctrl+p");
    const zelkbench::MappedWindow mapped = display.waitForMap(pid, main, openTimeoutMs);
    *preferences = mapped.client;
    if (mapped.client)
        std::fprintf(stderr, "  mapped \"%s\"\n", mapped.title.c_str());
    return mapped.milliseconds;
}

bool closeWindow(DisplayWatch& display, long pid, Window window)
{
    display.requestClose(window);
    return display.waitForUnmap(window, openTimeoutMs) && zelkbench::waitUntilQuiet(pid, quietMs, startTimeoutMs);
}

// One round with a fresh player process; false when a step failed.
bool measureRound(DisplayWatch& display, const Player& player, Round* round)
{
    QProcess process;
    process.setProgram(player.program);
    process.setArguments(player.arguments);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    display.startClock();
    process.start();
    if (!process.waitForStarted()) {
        std::fprintf(stderr, "%s: cannot start %s\n", player.name, qPrintable(player.program));
        return false;
    }
    const long pid = process.processId();
    bool ok = false;
    const Window main = display.waitForMap(pid, 0, startTimeoutMs).client;
    Window preferences = 0;
    if (!main || !zelkbench::waitUntilQuiet(pid, quietMs, startTimeoutMs)) {
        std::fprintf(stderr, "%s: the main window did not come up\n", player.name);
    } else {
        const ProcessMemory before = zelkbench::memoryOf(pid);
        round->idleRssKiB = before.rssKiB;
        round->idlePssKiB = before.pssKiB;
        round->firstMs = openPreferences(display, pid, main, &preferences);
        if (preferences && zelkbench::waitUntilQuiet(pid, quietMs, startTimeoutMs)) {
            const ProcessMemory open = zelkbench::memoryOf(pid);
            if (closeWindow(display, pid, preferences)) {
                const ProcessMemory closed = zelkbench::memoryOf(pid);
                round->rssAddedKiB = open.rssKiB - before.rssKiB;
                round->pssAddedKiB = open.pssKiB - before.pssKiB;
                round->rssGivenBackKiB = open.rssKiB - closed.rssKiB;
                round->pssGivenBackKiB = open.pssKiB - closed.pssKiB;
                round->secondMs = openPreferences(display, pid, main, &preferences);
                ok = preferences && zelkbench::waitUntilQuiet(pid, quietMs, startTimeoutMs)
                     && closeWindow(display, pid, preferences);
            }
        }
        if (!ok)
            std::fprintf(stderr, "%s: the preferences window did not open and close\n", player.name);
    }
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    return ok;
}

// One row: ours built ahead, ours built on demand, VLC's, and the ratios of
// ours to VLC's.
void printRow(const char* what, double ahead, double onDemand, double vlc, const char* unit)
{
    const auto ratio = [vlc](double ours) { return vlc != 0 ? ours / vlc : 0.0; };
    std::printf("%-30s %7.1f %s %7.1f %s %7.1f %s %7.2f %7.2f\n", what, ahead, unit, onDemand, unit, vlc, unit,
                ratio(ahead), ratio(onDemand));
}

// The spread of the times: on a busy machine the open that does more work is
// the one held up more often.
void printSpread(const char* what, std::vector<double> ahead, std::vector<double> onDemand, std::vector<double> vlc)
{
    for (auto* values : {&ahead, &onDemand, &vlc})
        std::sort(values->begin(), values->end());
    std::printf("  %-28s %4.1f-%-5.1f %4.1f-%-5.1f %4.1f-%-5.1f (ms)\n", what, ahead.front(), ahead.back(),
                onDemand.front(), onDemand.back(), vlc.front(), vlc.back());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    DisplayWatch display;
    if (!display.isOpen()) {
        std::fprintf(stderr, "No X display; run bench/preferences-window/run.sh\n");
        return 2;
    }
    const QString vlc = QStandardPaths::findExecutable(QStringLiteral("vlc"));
    if (vlc.isEmpty()) {
        std::fprintf(stderr, "VLC is not installed (Debian package vlc)\n");
        return 2;
    }
    QTemporaryDir root;
    if (!root.isValid())
        return 1;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "ZELK_REGISTRY_DIR"}) {
        const QString path = root.path() + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(path);
        qputenv(name, path.toUtf8());
    }
    QStringList prefix;
    if (geteuid() == 0) {
        // Both players as the same unprivileged user, in folders it may write.
        if (std::system(qPrintable(QStringLiteral("chmod -R a+rwX %1").arg(root.path()))) != 0)
            return 1;
        prefix = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                             QStringLiteral("--clear-groups"), QStringLiteral("--")};
    }
    const auto player = [&prefix](const char* name, const QString& program, const QStringList& arguments) {
        const QStringList command = prefix + QStringList{program} + arguments;
        return Player{name, command.first(), command.mid(1)};
    };
    const Player ahead = player("zelk-player", QStringLiteral(ZELK_BENCH_PLAYER), {});
    const Player onDemand =
        player("on demand", QStringLiteral(ZELK_BENCH_PLAYER), {QStringLiteral("--preferences-on-demand")});
    const Player theirs = player("vlc", vlc,
                                 {QStringLiteral("-I"), QStringLiteral("qt"), QStringLiteral("--no-qt-privacy-ask"),
                                  QStringLiteral("--no-metadata-network-access")});

    const std::vector<const Player*> players{&ahead, &onDemand, &theirs};
    std::vector<Figures> figures(players.size());
    std::vector<double> bare;
    for (int index = 0; index < rounds; ++index) {
        // The order turns round by round, so that a slow moment of the
        // machine hits each player alike.
        for (std::size_t step = 0; step < players.size(); ++step) {
            const std::size_t which = (step + std::size_t(index)) % players.size();
            const Player& player = *players[which];
            Round round;
            if (!measureRound(display, player, &round))
                return 1;
            figures[which].add(round);
            std::fprintf(stderr, "round %d %-12s first %6.1f ms  second %6.1f ms  +RSS %6.2f MiB  back %6.2f MiB\n",
                         index + 1, player.name, round.firstMs, round.secondMs, round.rssAddedKiB / 1024.0,
                         round.rssGivenBackKiB / 1024.0);
        }
        bare.push_back(display.mapBareWindow(openTimeoutMs));
    }

    const Figures& a = figures[0];
    const Figures& d = figures[1];
    const Figures& v = figures[2];
    const auto row = [&a, &d, &v](const char* what, std::vector<double> Figures::*values, const char* unit) {
        printRow(what, median(a.*values), median(d.*values), median(v.*values), unit);
    };
    std::printf("Preferences window, key press to map, median of %d rounds\n", rounds);
    std::printf("%-30s %10s %10s %10s %7s %7s\n", "zelk-player built:", "ahead", "on demand", "VLC", "ahead", "demand");
    std::printf("%-30s %10s %10s %10s %15s\n", "", "", "", "", "÷ VLC");
    row("first open", &Figures::first, "ms ");
    row("second open", &Figures::second, "ms ");
    printSpread("first open, fastest-slowest", a.first, d.first, v.first);
    printSpread("second open, fastest-slowest", a.second, d.second, v.second);
    row("added by opening, RSS", &Figures::rssAdded, "MiB");
    row("added by opening, PSS", &Figures::pssAdded, "MiB");
    row("given back on close, RSS", &Figures::rssBack, "MiB");
    row("given back on close, PSS", &Figures::pssBack, "MiB");
    // Building ahead: what the idle player holds over one that has not built
    // the window, and the window in all (that plus opening it).
    const double builtRss = median(a.idleRss) - median(d.idleRss);
    const double builtPss = median(a.idlePss) - median(d.idlePss);
    std::printf("%-30s %7.1f MiB RSS %5.1f MiB PSS\n", "built ahead, idle player holds", builtRss, builtPss);
    printRow("window in all, RSS", builtRss + median(a.rssAdded), median(d.rssAdded), median(v.rssAdded), "MiB");
    printRow("window in all, PSS", builtPss + median(a.pssAdded), median(d.pssAdded), median(v.pssAdded), "MiB");
    std::printf("bare X window mapped in %.1f ms (median)\n", median(bare));
    return 0;
}
