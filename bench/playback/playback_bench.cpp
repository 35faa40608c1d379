// Playback against the mpv command-line player, each measured in the same run:
//
// - start: process start to the first frame on screen of a local file
//   (zelk-player against mpv, both told to report that frame on stdout);
// - OK: pressing OK in the preferences window to the first rendered frame
//   that shows the change (subtitle colour, subtitle delay, brightness);
// - CPU: CPU seconds per second while playing a 1080p 25 fps H.264 video
//   with the software renderer and the default settings, beside mpv playing
//   the same file (target: at most 1.05 x mpv).
//
//   playback_bench [rounds] [start|cpu|ok]
//
// The optional second argument runs one of the three measures only.
//
// With a display (DISPLAY set, e.g. under `xvfb-run -a`), both players draw
// into X11 windows (mpv with its software output, --vo=x11). Without one the
// player runs offscreen and mpv with --vo=null, which decodes but draws
// nothing: then mpv's figures are a floor, not a like-for-like baseline.
// Registry, home and media live in a temporary folder; media are made with
// ffmpeg; mpv and ffmpeg must be installed.

#include "ChildProcessTiming.h"
#include "PlaybackLatency.h"
#include "WindowStalls.h"

#include "settings/PreferenceAccessors.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }), values.end());
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool ffmpeg(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("ffmpeg"), QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                                                        QStringLiteral("error"), QStringLiteral("-y")}
                                                + arguments);
    return process.waitForFinished(300000) && process.exitCode() == 0;
}

bool hasEncoder(const char* name)
{
    QProcess process;
    process.start(QStringLiteral("ffmpeg"), {QStringLiteral("-hide_banner"), QStringLiteral("-encoders")});
    process.waitForFinished(30000);
    return process.readAllStandardOutput().contains(name);
}

void isolate(const QString& root)
{
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "ZELK_REGISTRY_DIR"}) {
        const QString path = root + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(path);
        qputenv(name, path.toUtf8());
    }
}

void printLine(const char* what, double ours, double mpv, const char* unit)
{
    std::printf("%-44s %10.1f %s %10.1f %s %8.2f\n", what, ours, unit, mpv, unit, mpv > 0 ? ours / mpv : 0.0);
}

// CPU while playing, from the 3rd to the 11th second; false when the
// settings could not be restored afterwards.
bool measureCpu(const QString& player, const QStringList& playerCommon, const QString& mpv,
                const QStringList& mpvCommon, const QString& hd, const QProcessEnvironment& environment)
{
    const double ourLoad = zelkbench::cpuLoadWhileRunning(player, playerCommon + QStringList{hd}, environment, 3000, 11000);
    const double mpvLoad = zelkbench::cpuLoadWhileRunning(mpv, mpvCommon + QStringList{hd}, environment, 3000, 11000);
    printLine("CPU playing 1080p25, software (% of a core)", ourLoad * 100, mpvLoad * 100, "% ");
    // The same without the filters the default settings may add (FFmpeg's
    // post-processing, for codecs without their own deblocking only, and the
    // deinterlacer, which passes progressive frames through): mpv runs none.
    const bool filtersOff = ZelkNimbo::writePreferenceString("Codec", "PostProcessingMode", QStringLiteral("off"))
                            && ZelkNimbo::writePreferenceString("Video", "DeinterlacingMethod", QStringLiteral("none"));
    const double bareLoad =
        filtersOff ? zelkbench::cpuLoadWhileRunning(player, playerCommon + QStringList{hd}, environment, 3000, 11000) : -1;
    printLine("  the same, post-processing and deinterlacing off", bareLoad * 100, mpvLoad * 100, "% ");
    ZelkNimbo::releaseComponentSettings();
    return ZelkNimbo::writePreferenceString("Codec", "PostProcessingMode", QStringLiteral("automatic"))
           && ZelkNimbo::writePreferenceString("Video", "DeinterlacingMethod", QStringLiteral("bob"));
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const QByteArray only = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    if (!only.isEmpty() && only != "start" && only != "cpu" && only != "ok" && only != "stall") {
        std::fprintf(stderr, "usage: playback_bench [rounds] [start|cpu|ok|stall]\n");
        return 2;
    }
    const auto runs = [&only](const char* measure) { return only.isEmpty() || only == measure; };
    QTemporaryDir root;
    if (!root.isValid())
        return 1;
    isolate(root.path());
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (!display)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("mpv")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty()) {
        std::fprintf(stderr, "playback_bench needs mpv and ffmpeg\n");
        return 1;
    }
    const QDir media(root.path());
    const QString small = media.filePath(QStringLiteral("start.mkv"));
    const QString withSound = media.filePath(QStringLiteral("start-sound.mkv"));
    const QString grey = media.filePath(QStringLiteral("grey.mkv"));
    const QString hd = media.filePath(QStringLiteral("hd.mkv"));
    const QString hdCodec = hasEncoder("libx264") ? QStringLiteral("libx264") : QStringLiteral("mpeg4");
    if (!ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                 QStringLiteral("testsrc2=s=640x360:r=25:d=5"), QStringLiteral("-c:v"), QStringLiteral("mpeg4"), small})
        || !ffmpeg({QStringLiteral("-i"), small, QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                    QStringLiteral("sine=f=440:sample_rate=48000:d=5"), QStringLiteral("-c:v"), QStringLiteral("copy"),
                    QStringLiteral("-c:a"), QStringLiteral("aac"), QStringLiteral("-ac"), QStringLiteral("2"), withSound})
        || !ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                    QStringLiteral("color=c=0x808080:s=640x360:r=25:d=6"), QStringLiteral("-c:v"),
                    QStringLiteral("mpeg4"), grey})
        || !ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                    QStringLiteral("testsrc2=s=1920x1080:r=25:d=16"), QStringLiteral("-c:v"), hdCodec,
                    QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), hd})) {
        std::fprintf(stderr, "ffmpeg could not make the media\n");
        return 1;
    }
    QFile subtitle(media.filePath(QStringLiteral("grey.srt")));
    if (!subtitle.open(QIODevice::WriteOnly)
        || subtitle.write("1\n00:00:01,000 --> 00:00:03,000\nBenchmark subtitle\n") <= 0)
        return 1;
    subtitle.close();
    QFile script(media.filePath(QStringLiteral("first-frame.lua")));
    if (!script.open(QIODevice::WriteOnly)
        || script.write("mp.register_event('playback-restart', function()\n"
                        "  io.stdout:write('first-frame\\n'); io.stdout:flush()\n"
                        "end)\n") <= 0)
        return 1;
    script.close();

    const QString player = QStringLiteral(ZELK_BENCH_PLAYER);
    const QString mpv = QStringLiteral("mpv");
    const QString mpvOutput = display ? QStringLiteral("--vo=x11") : QStringLiteral("--vo=null");
    const QStringList mpvCommon{QStringLiteral("--no-config"), QStringLiteral("--ao=null"), mpvOutput,
                                QStringLiteral("--geometry=960x540")};
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The player's window opens with a video area of about 960 x 540.
    const QStringList playerCommon;

    std::printf("playback_bench: %d rounds, %s; 1080p codec %s\n", rounds,
                display ? "X11 display (mpv --vo=x11)" : "offscreen (mpv --vo=null)", qUtf8Printable(hdCodec));
    std::printf("%-44s %13s %13s %8s\n", "measure", "zelk-player", "mpv", "ratio");

    // Start to first frame: alternate the two, so that both see the same
    // state of the machine's caches.
    std::vector<double> ours;
    std::vector<double> theirs;
    for (int round = 0; runs("start") && round < rounds; ++round) {
        ours.push_back(zelkbench::millisecondsToMarker(
            player, playerCommon + QStringList{QStringLiteral("--quit-on-first-frame"), small}, "first-frame",
            environment));
        theirs.push_back(zelkbench::millisecondsToMarker(
            mpv, mpvCommon + QStringList{QStringLiteral("--script=") + script.fileName(), small}, "first-frame",
            environment));
    }
    if (runs("start"))
        printLine("start to first frame (median)", median(ours), median(theirs), "ms");
    // The same clip with a sound track: the player picks its audio output
    // from the machine; mpv plays to its null output, the best case.
    ours.clear();
    theirs.clear();
    for (int round = 0; runs("start") && round < rounds; ++round) {
        ours.push_back(zelkbench::millisecondsToMarker(
            player, playerCommon + QStringList{QStringLiteral("--quit-on-first-frame"), withSound}, "first-frame",
            environment));
        theirs.push_back(zelkbench::millisecondsToMarker(
            mpv, mpvCommon + QStringList{QStringLiteral("--script=") + script.fileName(), withSound}, "first-frame",
            environment));
    }
    if (runs("start"))
        printLine("start to first frame, with sound (median)", median(ours), median(theirs), "ms");
    if (runs("cpu") && !measureCpu(player, playerCommon, mpv, mpvCommon, hd, environment))
        return 1;
    if (runs("stall")) {
        QString error;
        const zelkbench::WindowStalls stalls =
            zelkbench::measureWindowStalls(small, media.filePath(QStringLiteral("stalls")), 100000, &error);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "window stalls: %s\n", qUtf8Printable(error));
            return 1;
        }
        std::printf("%-44s %10.1f ms\n", "window stall: open among 100,000 files", stalls.openAmongFiles);
        std::printf("%-44s %10.1f ms\n", "window stall: code page, 40 MB subtitle", stalls.codePageChange);
    }
    if (!runs("ok"))
        return 0;

    // OK to the change on screen, in this process.
    QString error;
    const zelkbench::OkLatencies latencies = zelkbench::measureOkLatencies(grey, rounds, &error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "OK latency: %s\n", qUtf8Printable(error));
        return 1;
    }
    std::printf("%-44s %10.1f ms (first round %.1f ms)\n", "OK to frame: subtitle colour (median)",
                median(latencies.subtitleColour), latencies.subtitleColour.empty() ? -1.0 : latencies.subtitleColour.front());
    std::printf("%-44s %10.1f ms\n", "OK to frame: subtitle delay (median)", median(latencies.subtitleDelay));
    std::printf("%-44s %10.1f ms\n", "OK to frame: brightness (median)", median(latencies.brightness));
    std::printf("%-44s %10.1f ms\n", "OK to frame: all three (median)",
                median([&] {
                    std::vector<double> all = latencies.subtitleColour;
                    all.insert(all.end(), latencies.subtitleDelay.begin(), latencies.subtitleDelay.end());
                    all.insert(all.end(), latencies.brightness.begin(), latencies.brightness.end());
                    return all;
                }()));
    return 0;
}
