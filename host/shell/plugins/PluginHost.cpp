#include "host/shell/plugins/PluginHost.h"

#include "framework/Plugin.h"
#include "framework/PluginInfo.h"
#include "framework/PluginResult.h"
#include "plugin/HostInterfaces.h"
#include "host/shell/plugins/PreferencesPages.h"

#include <QCoreApplication>
#include <QLayout>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace ZelkShell {

namespace {

Okto::String oktoString(const QString& text)
{
    return Okto::String(text.toUtf8().constData());
}

QString qtString(const Okto::String& text)
{
    return QString::fromStdString(text.toStdString());
}

// The last step of building the window ahead: its native window.
void realiseAhead(QWidget* window)
{
    window->winId();
#ifdef __GLIBC__
    // Measuring the pages left freed heap behind (text layouts, font
    // matching).
    malloc_trim(0);
#endif
}

// Every page measured and the fonts loaded, then the native window on the
// next turn.
void layOutAhead(QWidget* window)
{
    window->ensurePolished();
    if (QLayout* layout = window->layout())
        layout->activate();
    QTimer::singleShot(0, window, [window] { realiseAhead(window); });
}

} // namespace

PluginHost::PluginHost()
{
    context_.setLifecycleObserver([this](ZelkHost::HostPluginContext::Event event, Okto::Plugin* plugin) {
        if (event == ZelkHost::HostPluginContext::Event::WillDestroy && plugin == preferences_)
            preferencesDestroyed_ = true;
    });
}

PluginHost::~PluginHost()
{
    for (Okto::Plugin* consumer : consumers_)
        consumer->release();
    consumers_.clear();
    if (preferences_) {
        preferences_->release();
        // A window still holding its own reference (never closed) closes
        // without saving; closing queues the release of that reference (a
        // zero timer of the module), which this runs.
        if (!preferencesDestroyed_ && preferencesWindow_)
            QMetaObject::invokeMethod(preferencesWindow_, "closeDiscard", Qt::DirectConnection);
        QCoreApplication::processEvents();
        preferences_ = nullptr;
    }
    context_.setLifecycleObserver(nullptr);
}

bool PluginHost::readPluginFolders(const QStringList& folders, QString* error, QStringList* warnings)
{
    int readable = 0;
    QStringList problems;
    for (const QString& folder : folders) {
        // A folder with some bad descriptors still counts; the reasons are kept.
        const int result = context_.addPluginDirectory(oktoString(folder));
        const QString reason = qtString(context_.lastError());
        if (result == Okto::PluginSuccess)
            ++readable;
        if (!reason.isEmpty())
            problems << reason;
    }
    if (readable == 0) {
        if (error)
            *error = problems.isEmpty() ? QStringLiteral("no plug-in folder given") : problems.join(QStringLiteral("; "));
        return false;
    }
    if (warnings)
        *warnings << problems;
    return true;
}

int PluginHost::startSettingsConsumers(QStringList* errors)
{
    const Okto::String consumerId(ZelkNimbo::InterfaceId::SettingsConsumer);
    Okto::List<Okto::PluginInfo*> infos;
    context_.getPluginInfos(&infos, Okto::PluginContext::PluginInterfaceFilter(consumerId));
    int started = 0;
    for (int i = 0; i < infos.count; ++i) {
        Okto::PluginInfo* info = infos.at(i);
        if (!info->modulePath.length())
            continue; // a descriptor without a module has nothing to start
        Okto::Plugin* consumer = nullptr;
        if (context_.createPlugin(info->id, &consumer) == Okto::PluginSuccess && consumer) {
            consumers_.push_back(consumer);
            ++started;
        } else if (errors) {
            *errors << qtString(context_.lastError());
        }
    }
    return started;
}

QObject* PluginHost::preferencesWindow(QString* error)
{
    if (preferences_ && !preferencesDestroyed_)
        return preferencesWindow_;
    if (preferences_) {
        // The object is gone; the host's reference went with it.
        preferences_ = nullptr;
        preferencesWindow_ = nullptr;
    }
    Okto::Plugin* created = nullptr;
    if (context_.createPlugin(Okto::String(preferencesPluginId), &created) != Okto::PluginSuccess || !created) {
        if (error)
            *error = qtString(context_.lastError());
        return nullptr;
    }
    preferences_ = created;
    preferencesDestroyed_ = false;
    auto* menu = static_cast<ZelkNimbo::MenuInterface*>(preferencesInterface(ZelkNimbo::InterfaceId::Menu));
    preferencesWindow_ = menu ? qobject_cast<QWidget*>(menu->menuObject()) : nullptr;
    if (!preferencesWindow_ && error)
        *error = QStringLiteral("the preferences plug-in has no window");
    return preferencesWindow_;
}

QObject* PluginHost::existingPreferencesWindow() const
{
    return preferences_ && !preferencesDestroyed_ ? preferencesWindow_ : nullptr;
}

bool PluginHost::buildPreferencesAhead(QString* error)
{
    if (shutDown_ || existingPreferencesWindow())
        return true;
    QWidget* window = qobject_cast<QWidget*>(preferencesWindow(error));
    if (!window)
        return false;
    // One step per turn: none holds the event loop for long.
    QTimer::singleShot(0, window, [window] { layOutAhead(window); });
    return true;
}

bool PluginHost::showPreferences(int page, QString* error)
{
    QObject* window = preferencesWindow(error);
    if (!window)
        return false;
    if (page == playbackPageRow) {
        auto* preferences = static_cast<ZelkNimbo::ZNBPreferencesPluginInterface*>(
            preferencesInterface(ZelkNimbo::InterfaceId::Preferences));
        if (!preferences) {
            if (error)
                *error = QStringLiteral("the preferences plug-in has no preferences interface");
            return false;
        }
        preferences->showPlaybackPreferences();
        return true;
    }
    if (page >= 0 && !selectPreferencesPage(window, page)) {
        if (error)
            *error = QStringLiteral("the preferences window has no page %1").arg(preferencesPageName(page));
        return false;
    }
    if (!QMetaObject::invokeMethod(window, "showPreferences", Qt::DirectConnection)) {
        if (error)
            *error = QStringLiteral("the preferences window has no showPreferences() slot");
        return false;
    }
    return true;
}

void PluginHost::shutdownPlugins()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    context_.shutdownPlugins();
}

void* PluginHost::preferencesInterface(const char* id) const
{
    void* out = nullptr;
    if (preferences_ && !preferencesDestroyed_)
        preferences_->queryInterface(Okto::String(id), &out);
    return out;
}

} // namespace ZelkShell
