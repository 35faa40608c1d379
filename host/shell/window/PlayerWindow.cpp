#include "host/shell/window/PlayerWindow.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/window/PlaybackControls.h"
#include "host/shell/settings/PlayerSettings.h"
#include "host/shell/plugins/PluginHost.h"
#include "host/shell/plugins/PreferencesPages.h"
#include "host/library/HubMessages.h"
#include "host/shell/video/VideoOutputs.h"
#include "host/shell/video/VideoSurface.h"
#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/behaviour/PlaybackBehaviour.h"
#include "host/shell/window/PlayerViews.h"
#include "host/shell/engine/EngineSettingsApplier.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "settings/SettingKey.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QThread>
#include <QVBoxLayout>

namespace ZelkShell {

namespace {

// Room for a 16:9 picture of 960 x 540 with the menus and controls.
const QSize defaultWindowSize(960, 620);

// The platform's own key where it has one (empty on plain X11 and GNOME),
// and Ctrl+P everywhere, the key players commonly use for their settings.
QList<QKeySequence> preferencesKeys()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Preferences);
    const QKeySequence ctrlP(Qt::CTRL | Qt::Key_P);
    if (!keys.contains(ctrlP))
        keys << ctrlP;
    return keys;
}

} // namespace

PlayerWindow::PlayerWindow(PluginHost& plugins, QWidget* parent)
    : QMainWindow(parent)
    , plugins_(plugins)
{
    setObjectName(QStringLiteral("playerWindow"));
    setWindowTitle(QStringLiteral("Zelk Player"));
    setAcceptDrops(true);
    // One read of the store serves the start: the output chosen here, then
    // everything else applied below.
    const PlayerSettings::Snapshot settings = PlayerSettings::read();
    buildVideoArea(settings.engine);
    buildBehaviour();
    buildMenus();
    buildPlaybackKeys();
    connectEngine();
    resize(defaultWindowSize);

    if (!ZelkNimbo::PubSubHub::listenForMessage(QLatin1String(ZelkNimbo::HubMessages::PlayerSettingsChanged), this,
                                                SLOT(settingsChangedMessage(const QString&, const QVariant&))))
        reportProblem(tr("Settings saved in the preferences will apply at the next start."));
    applySettings(settings);
    views_->showView(behaviour_->settings().startupView);
}

PlayerWindow::~PlayerWindow()
{
    // The behaviour watches the widgets and the engine: it goes first. Then
    // the video surface lets go of its render context, the engine ends (the
    // last render context gone, see EngineCore), and only then go the
    // widgets, since the engine's own output draws into one until it ends.
    delete behaviour_;
    behaviour_ = nullptr;
    surface_->detach();
    engineSettings_.reset();
    engine_.reset();
    delete centralWidget();
}

VideoView* PlayerWindow::videoView() const
{
    return surface_->softwareView();
}

void PlayerWindow::buildVideoArea(const StoredSettings& settings)
{
    // The output is chosen once per run: changing it needs a restart.
    videoOutput_ = chooseVideoOutput(settings);
    engine_ = std::make_unique<PlaybackEngine>();
    auto* central = new QWidget(this);
    surface_ = createVideoSurface(videoOutput_, *engine_, central, this);
    controls_ = new PlaybackControls(central);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(surface_->widget(), 1);
    layout->addWidget(controls_);
    views_ = new PlayerViews(central, [this] { return behaviour_->settings(); }, this);
    setCentralWidget(views_);

    QString error;
    if (!engine_->initialize(&error) || !surface_->attach(*engine_, &error)) {
        showVideoMessage(tr("Videos cannot be played: %1").arg(error));
        reportProblem(tr("The playback engine did not start: %1").arg(error));
    } else {
        showVideoMessage(tr("Drop a video here, or open one from the File menu."));
    }
    engineSettings_ = std::make_unique<EngineSettingsApplier>(*engine_, videoOutput_ == VideoOutputKind::Software);
}

void PlayerWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    openAction_ = file->addAction(tr("&Open…"), this, &PlayerWindow::chooseAndOpenFile);
    openAction_->setObjectName(QStringLiteral("openAction"));
    openAction_->setShortcut(QKeySequence::Open);
    readRefusedSubtitleAction_ = file->addAction(tr("&Read Large Subtitle File"), this, [this] {
        engine_->loadRefusedSubtitle(refusedSubtitle_);
        readRefusedSubtitleAction_->setEnabled(false);
    });
    readRefusedSubtitleAction_->setObjectName(QStringLiteral("readRefusedSubtitleAction"));
    readRefusedSubtitleAction_->setEnabled(false);
    file->addSeparator();
    quitAction_ = file->addAction(tr("&Quit"), this, &QWidget::close);
    quitAction_->setObjectName(QStringLiteral("quitAction"));
    quitAction_->setShortcut(QKeySequence::Quit);
    quitAction_->setMenuRole(QAction::QuitRole);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    fullScreenAction_ = view->addAction(tr("&Full Screen"));
    fullScreenAction_->setObjectName(QStringLiteral("fullScreenAction"));
    fullScreenAction_->setCheckable(true);
    fullScreenAction_->setShortcut(Qt::Key_F);
    connect(fullScreenAction_, &QAction::triggered, this, &PlayerWindow::setFullScreen);
    view->addAction(behaviour_->toolTipsAction());
    view->addAction(behaviour_->autoHideAction());
    view->addSeparator();
    const auto viewAction = [this, view](const QString& text, const char* objectName, const char* viewName) {
        QAction* action = view->addAction(text, this, [this, viewName] { views_->showView(QLatin1String(viewName)); });
        action->setObjectName(QLatin1String(objectName));
    };
    viewAction(tr("&Playback"), "playbackViewAction", PlayerViews::playbackName);
    viewAction(tr("Video &Library"), "libraryViewAction", PlayerViews::libraryName);
    viewAction(tr("&Download Manager"), "downloadsViewAction", PlayerViews::downloadsName);
    view->addSeparator();
    alwaysOnTopAction_ = view->addAction(tr("Al&ways on Top"));
    alwaysOnTopAction_->setObjectName(QStringLiteral("alwaysOnTopAction"));
    alwaysOnTopAction_->setCheckable(true);
    // triggered(), not toggled(): only the user's choice is written back.
    connect(alwaysOnTopAction_, &QAction::triggered, this, &PlayerWindow::setAlwaysOnTopFromMenu);

    buildLibraryMenu();

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    preferencesAction_ = tools->addAction(tr("&Preferences…"), this, [this] { openPreferences(); });
    preferencesAction_->setObjectName(QStringLiteral("preferencesAction"));
    preferencesAction_->setShortcuts(preferencesKeys());
    preferencesAction_->setMenuRole(QAction::PreferencesRole);
    playbackPreferencesAction_ =
        tools->addAction(tr("P&layback Preferences…"), this, [this] { openPreferences(playbackPageRow); });
    playbackPreferencesAction_->setObjectName(QStringLiteral("playbackPreferencesAction"));
}

bool PlayerWindow::openPreferences(int page)
{
    QString error;
    if (!plugins_.showPreferences(page, &error)) {
        reportProblem(tr("The preferences cannot be opened: %1").arg(error));
        return false;
    }
    return true;
}

bool PlayerWindow::alwaysOnTop() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void PlayerWindow::reloadSettings()
{
    ++settingsReloads_;
    applySettings(PlayerSettings::read());
}

void PlayerWindow::applySettings(const PlayerSettings::Snapshot& settings)
{
    alwaysOnTopAction_->setChecked(settings.alwaysOnTop);
    applyAlwaysOnTop(settings.alwaysOnTop);
    engineSettings_->apply(settings.engine);
    behaviour_->apply(settings.behaviour);
    views_->followSettings();
}

void PlayerWindow::settingsChangedMessage(const QString&, const QVariant&)
{
    reloadSettings();
}

void PlayerWindow::setAlwaysOnTopFromMenu(bool onTop)
{
    applyAlwaysOnTop(onTop);
    // Stored and announced, so that an open preferences window shows it.
    if (!storePlayerSwitch(SettingKeys::Playback::AlwaysOnTop, onTop))
        reportProblem(tr("\"Always on Top\" could not be stored; it applies until the player quits."));
}

void PlayerWindow::applyAlwaysOnTop(bool onTop)
{
    if (alwaysOnTop() == onTop)
        return;
    const bool visible = isVisible();
    // Changing the flags hides the window; show it again where it was.
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        show();
}

void PlayerWindow::closeEvent(QCloseEvent* event)
{
    quitRequested_ = true;
    behaviour_->playerQuitting();
    plugins_.shutdownPlugins();
    event->accept();
    // Only a running event loop is told to end: Qt remembers a quit made
    // outside one and ends the next loop (a modal dialog's too) at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::quit();
}

void PlayerWindow::buildBehaviour()
{
    // The status bar exists from the start: a first message must not take
    // room from a video the window was just fitted to.
    statusBar();
    behaviour_ = new PlaybackBehaviour(*engine_, {this, surface_->widget(), controls_}, this);
    connect(behaviour_, &PlaybackBehaviour::videoStarted, views_, &PlayerViews::videoPlayed);
    connect(behaviour_, &PlaybackBehaviour::problem, this, &PlayerWindow::reportProblem);
    connect(views_, &PlayerViews::problem, this, &PlayerWindow::reportProblem);
    connect(views_, &PlayerViews::playRequested, this, [this](const QString& file) { playFiles({file}); });
}

bool PlayerWindow::reopenLastVideo()
{
    const QString file = behaviour_->lastVideoToReopen();
    if (file.isEmpty())
        return false;
    playFiles({file});
    return true;
}

void PlayerWindow::reportProblem(const QString& text)
{
    qWarning("zelk-player: %s", qUtf8Printable(text));
    statusBar()->showMessage(text);
}

void PlayerWindow::showVideoMessage(const QString& text)
{
    surface_->showMessage(text);
}

} // namespace ZelkShell
