#include "PlaybackLatency.h"
#include "WaitUntil.h"

#include "host/shell/window/PlayerWindow.h"
#include "host/shell/plugins/PluginHost.h"
#include "host/shell/video/VideoView.h"
#include "host/shell/engine/PlaybackEngine.h"

#include <QApplication>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include <functional>

namespace zelkbench {

namespace {

constexpr int subtitlesPage = 3;
constexpr int playbackPage = 2;

// Subtitle pixels of one hue in the lower quarter.
int huePixels(const QImage& frame, int hueFrom, int hueTo)
{
    int count = 0;
    for (int y = frame.height() * 3 / 4; y < frame.height(); y += 2) {
        for (int x = 0; x < frame.width(); x += 2) {
            const QColor colour = frame.pixelColor(x, y).toHsv();
            if (colour.saturation() > 150 && colour.value() > 150 && colour.hue() >= hueFrom && colour.hue() <= hueTo)
                ++count;
        }
    }
    return count;
}

double meanLuma(const QImage& frame)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < frame.height() / 2; y += 4) {
        for (int x = 0; x < frame.width(); x += 4) {
            sum += qGray(frame.pixel(x, y));
            ++count;
        }
    }
    return count ? sum / count : 0;
}

template <typename T>
T* control(ZelkShell::PluginHost& plugins, const char* name)
{
    auto* window = qobject_cast<QWidget*>(plugins.existingPreferencesWindow());
    return window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
}

// Presses OK and times the first rendered frame for which `visible` holds.
double timeOkToFrame(ZelkShell::PluginHost& plugins, const ZelkShell::VideoView& view,
                     const std::function<bool(const QImage&)>& visible)
{
    auto* ok = control<QPushButton>(plugins, "okButton");
    if (!ok)
        return -1;
    QElapsedTimer clock;
    clock.start();
    ok->click();
    quint64 seen = view.framesRendered();
    double elapsed = -1;
    waitUntil([&] {
        if (view.framesRendered() == seen)
            return false;
        seen = view.framesRendered();
        if (!visible(view.lastFrame()))
            return false;
        elapsed = double(clock.nsecsElapsed()) / 1e6;
        return true;
    });
    return elapsed;
}

} // namespace

OkLatencies measureOkLatencies(const QString& video, int rounds, QString* error)
{
    OkLatencies latencies;
    ZelkShell::PluginHost plugins;
    QString problem;
    QStringList warnings;
    if (!plugins.readPluginFolders({QStringLiteral(ZELK_BENCH_PLUGIN_DIR), QStringLiteral(ZELK_BENCH_SAMPLE_PLUGIN_DIR)},
                                   &problem, &warnings)
        || plugins.startSettingsConsumers(nullptr) != 1) {
        *error = QStringLiteral("plug-ins: %1").arg(problem);
        return latencies;
    }
    ZelkShell::PlayerWindow player(plugins);
    player.resize(960, 600);
    player.show();
    ZelkShell::VideoView* view = player.videoView();
    if (!view) {
        *error = QStringLiteral("no software video view");
        return latencies;
    }
    player.playFiles({video}, 1.5, true);
    if (!waitUntil([&] { return player.engine().hasFile() && huePixels(view->lastFrame(), 50, 70) > 20; }, 10000)) {
        *error = QStringLiteral("the video with its subtitle did not show");
        return latencies;
    }

    for (int round = 0; round < rounds; ++round) {
        const bool change = round % 2 == 0; // every other round changes back
        // Subtitle colour, chosen in the window's colour dialog.
        player.openPreferences(subtitlesPage);
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&answer, change] {
            if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
                answer.stop();
                dialog->setCurrentColor(change ? Qt::red : Qt::yellow);
                dialog->accept();
            }
        });
        answer.start(5);
        control<QPushButton>(plugins, "subtitleTextColorButton")->click();
        latencies.subtitleColour.push_back(timeOkToFrame(plugins, *view, [change](const QImage& frame) {
            return change ? huePixels(frame, 0, 10) > 20 : huePixels(frame, 50, 70) > 20;
        }));

        // Subtitle delay: +2.0 s hides the line at 1.5 s, 0 shows it again.
        for (const bool hide : {true, false}) {
            player.openPreferences(subtitlesPage);
            control<QSpinBox>(plugins, "subtitleDelaySpinBox")->setValue(hide ? 20 : 0);
            latencies.subtitleDelay.push_back(timeOkToFrame(plugins, *view, [hide](const QImage& frame) {
                const int text = huePixels(frame, 0, 10) + huePixels(frame, 50, 70);
                return hide ? text == 0 : text > 20;
            }));
        }

        // Brightness: the video filter is rebuilt.
        player.openPreferences(playbackPage);
        control<QSlider>(plugins, "brightnessSlider")->setValue(change ? 64 : 0);
        latencies.brightness.push_back(timeOkToFrame(plugins, *view, [change](const QImage& frame) {
            return change ? meanLuma(frame) > 150 : meanLuma(frame) < 140;
        }));
    }
    player.close();
    return latencies;
}

} // namespace zelkbench
