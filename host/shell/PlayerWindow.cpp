#include "host/shell/PlayerWindow.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/PlaybackControls.h"
#include "host/shell/PlayerSettings.h"
#include "host/shell/PluginHost.h"
#include "host/shell/PreferencesPages.h"
#include "host/shell/ShellMessages.h"
#include "host/shell/VideoOutputs.h"
#include "host/shell/VideoView.h"
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

PlayerWindow::PlayerWindow(PluginHost& plugins, QWidget* parent)
    : QMainWindow(parent)
    , plugins_(plugins)
{
    setObjectName(QStringLiteral("playerWindow"));
    setWindowTitle(QStringLiteral("Zelk Player"));
    setAcceptDrops(true);
    buildVideoArea();
    buildMenus();
    buildPlaybackKeys();
    connectEngine();

    if (!ZelkNimbo::PubSubHub::listenForMessage(QLatin1String(Messages::PlayerSettingsChanged), this,
                                                SLOT(settingsChangedMessage(const QString&, const QVariant&))))
        reportProblem(tr("Settings saved in the preferences will apply at the next start."));
    reloadSettings();
    settingsReloads_ = 0; // the first read is not a reload
}

PlayerWindow::~PlayerWindow()
{
    // The video area draws from the engine's renderer: it goes first.
    delete centralWidget();
    delete engine_;
}

void PlayerWindow::buildVideoArea()
{
    // The output is chosen once per run: changing it needs a restart.
    videoOutput_ = chooseVideoOutput(StoredSettings::read());
    engine_ = new PlaybackEngine();
    auto* central = new QWidget(this);
    videoArea_ = createVideoArea(videoOutput_, *engine_, central);
    view_ = qobject_cast<VideoView*>(videoArea_);
    controls_ = new PlaybackControls(central);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(videoArea_, 1);
    layout->addWidget(controls_);
    setCentralWidget(central);

    QString error;
    if (!engine_->initialize(&error) || !connectVideoArea(videoOutput_, videoArea_, *engine_, &error)) {
        showVideoMessage(tr("Videos cannot be played: %1").arg(error));
        reportProblem(tr("The playback engine did not start: %1").arg(error));
    } else {
        showVideoMessage(tr("Drop a video here, or open one from the File menu."));
    }
    engineSettings_ = new EngineSettingsApplier(*engine_, videoOutput_ == VideoOutputKind::Software, this);
}

void PlayerWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    openAction_ = file->addAction(tr("&Open…"), this, &PlayerWindow::chooseAndOpenFile);
    openAction_->setObjectName(QStringLiteral("openAction"));
    openAction_->setShortcut(QKeySequence::Open);
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
    alwaysOnTopAction_ = view->addAction(tr("Always on &Top"));
    alwaysOnTopAction_->setObjectName(QStringLiteral("alwaysOnTopAction"));
    alwaysOnTopAction_->setCheckable(true);
    // triggered(), not toggled(): only the user's choice is written back.
    connect(alwaysOnTopAction_, &QAction::triggered, this, &PlayerWindow::setAlwaysOnTopFromMenu);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    preferencesAction_ = tools->addAction(tr("&Preferences…"), this, [this] { openPreferences(); });
    preferencesAction_->setObjectName(QStringLiteral("preferencesAction"));
    preferencesAction_->setShortcut(QKeySequence::Preferences);
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
    const bool onTop = PlayerSettings::alwaysOnTop();
    alwaysOnTopAction_->setChecked(onTop);
    applyAlwaysOnTop(onTop);
    engineSettings_->apply();
}

void PlayerWindow::settingsChangedMessage(const QString&, const QVariant&)
{
    reloadSettings();
}

void PlayerWindow::setAlwaysOnTopFromMenu(bool onTop)
{
    applyAlwaysOnTop(onTop);
    if (!PlayerSettings::setAlwaysOnTop(onTop)) {
        reportProblem(tr("\"Always on Top\" could not be stored; it applies until the player quits."));
        return;
    }
    // An open preferences window shows the new state.
    ZelkNimbo::PubSubHub::publishMessage(QLatin1String(Messages::PreferenceItemChanged),
                                         QLatin1String(SettingKeys::Playback::AlwaysOnTop.name));
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
    plugins_.shutdownPlugins();
    event->accept();
    // Only a running event loop is told to end: Qt remembers a quit made
    // outside one and ends the next loop (a modal dialog's too) at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::quit();
}

void PlayerWindow::reportProblem(const QString& text)
{
    qWarning("zelk-player: %s", qUtf8Printable(text));
    statusBar()->showMessage(text);
}

void PlayerWindow::showVideoMessage(const QString& text)
{
    if (view_)
        view_->showMessage(text);
    else if (!text.isEmpty())
        statusBar()->showMessage(text);
}

} // namespace ZelkShell
