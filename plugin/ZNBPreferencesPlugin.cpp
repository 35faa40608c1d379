#include "plugin/ZNBPreferencesPlugin.h"

#include "framework/OktoString.h"
#include "framework/PluginResult.h"

#include <QCloseEvent>
#include <QTimer>

namespace ZelkNimbo {

namespace {

// Built when the module loads.
const Okto::String menuInterfaceId(InterfaceId::Menu);
const Okto::String shutdownInterfaceId(InterfaceId::Shutdown);
const Okto::String preferencesInterfaceId(InterfaceId::Preferences);

const Qt::WindowFlags initialWindowFlags =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;

} // namespace

ZNBPreferencesPlugin::ZNBPreferencesPlugin(Okto::PluginContext* context)
    : QWidget(nullptr, initialWindowFlags)
    , Okto::Plugin(context)
{
    // One reference for the creator (from Okto::Plugin), one for the window.
    holdWindowReference();

    Qt::WindowFlags flags = windowFlags();
    flags &= ~Qt::WindowContextHelpButtonHint;
    flags |= Qt::MSWindowsFixedSizeDialogHint;
    setWindowFlags(flags);
}

ZNBPreferencesPlugin::~ZNBPreferencesPlugin() = default;

int ZNBPreferencesPlugin::queryInterface(const Okto::String& id, void** out)
{
    if (!out)
        return Okto::PluginMissingOutput;
    *out = nullptr;
    if (id == menuInterfaceId)
        *out = static_cast<MenuInterface*>(this);
    else if (id == shutdownInterfaceId)
        *out = static_cast<ShutdownInterface*>(this);
    else if (id == preferencesInterfaceId)
        *out = static_cast<ZNBPreferencesPluginInterface*>(this);
    else
        return Okto::PluginNotFound;
    return Okto::PluginSuccess;
}

QObject* ZNBPreferencesPlugin::menuObject()
{
    return this;
}

void ZNBPreferencesPlugin::shutdown()
{
    close();
}

void ZNBPreferencesPlugin::showPlaybackPreferences()
{
    holdWindowReference();
    show();
    raise();
}

void ZNBPreferencesPlugin::showPreferences()
{
    holdWindowReference();
    show();
    raise();
}

void ZNBPreferencesPlugin::releaseLater()
{
    // Only the release queued by an accepted close gives the reference back;
    // a show in between cancels it.
    if (!windowReleasePending_)
        return;
    windowReleasePending_ = false;
    if (!holdsWindowReference_)
        return;
    holdsWindowReference_ = false;
    release();
}

void ZNBPreferencesPlugin::closeEvent(QCloseEvent* event)
{
    event->accept();
    scheduleWindowRelease();
}

void ZNBPreferencesPlugin::holdWindowReference()
{
    if (windowReleasePending_) {
        windowReleasePending_ = false;
        return;
    }
    if (!holdsWindowReference_) {
        retain();
        holdsWindowReference_ = true;
    }
}

void ZNBPreferencesPlugin::scheduleWindowRelease()
{
    if (!holdsWindowReference_ || windowReleasePending_)
        return;
    windowReleasePending_ = true;
    QTimer::singleShot(0, this, SLOT(releaseLater()));
}

} // namespace ZelkNimbo
