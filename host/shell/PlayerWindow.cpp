#include "host/shell/PlayerWindow.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/PluginHost.h"
#include "host/shell/PreferencesPages.h"
#include "host/shell/ShellMessages.h"
#include "host/shell/PlayerSettings.h"
#include "settings/SettingKey.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QThread>

namespace ZelkShell {

PlayerWindow::PlayerWindow(PluginHost& plugins, QWidget* parent)
    : QMainWindow(parent)
    , plugins_(plugins)
{
    setObjectName(QStringLiteral("playerWindow"));
    setWindowTitle(QStringLiteral("Zelk Player"));
    screen_ = new QLabel(tr("No video"), this);
    screen_->setObjectName(QStringLiteral("videoArea"));
    screen_->setAlignment(Qt::AlignCenter);
    screen_->setMinimumSize(480, 270);
    screen_->setAutoFillBackground(true);
    screen_->setStyleSheet(QStringLiteral("background: black; color: #aaaaaa;"));
    setCentralWidget(screen_);
    buildMenus();

    if (!ZelkNimbo::PubSubHub::listenForMessage(QLatin1String(Messages::PlayerSettingsChanged), this,
                                                SLOT(settingsChangedMessage(const QString&, const QVariant&))))
        reportProblem(tr("Settings saved in the preferences will apply at the next start."));
    reloadSettings();
    settingsReloads_ = 0; // the first read is not a reload
}

void PlayerWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    quitAction_ = file->addAction(tr("&Quit"), this, &QWidget::close);
    quitAction_->setObjectName(QStringLiteral("quitAction"));
    quitAction_->setShortcut(QKeySequence::Quit);
    quitAction_->setMenuRole(QAction::QuitRole);

    QMenu* view = menuBar()->addMenu(tr("&View"));
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

void PlayerWindow::showRequestedFiles(const QStringList& files)
{
    if (files.isEmpty())
        return;
    screen_->setText(tr("No video playback in this build.\nAsked to open:\n%1").arg(files.join(QLatin1Char('\n'))));
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

} // namespace ZelkShell
