#include "plugin/ZNBPreferencesPlugin.h"

#include "framework/OktoString.h"
#include "framework/PluginContext.h"
#include "framework/PluginInfo.h"
#include "framework/PluginResult.h"
#include "host/library/ZNBLibrary.h"
#include "settings/PreferenceAccessors.h"
#include "ui/ComboItems.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QHideEvent>
#include <QMessageBox>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <map>
#include <string>

namespace ZelkNimbo {

namespace {

// Built when the module loads.
const Okto::String menuInterfaceId(InterfaceId::Menu);
const Okto::String shutdownInterfaceId(InterfaceId::Shutdown);
const Okto::String preferencesInterfaceId(InterfaceId::Preferences);

const Qt::WindowFlags initialWindowFlags =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;

const int playbackPageRow = 2;

// Accepts video output plug-ins: one of the output component ids, and a
// stream-engine port for video in the descriptor.
class VideoOutputInterfaceFilter : public Okto::PluginContext::AbstractPluginInfoFilter {
public:
    bool operator()(Okto::PluginInfo* info) const override
    {
        static const char* const outputComponentIds[] = {
            "com.zelk.streamengine.component.output",
            "com.zelk.streamengine.component.output.multiple",
            "com.zelk.streamengine.component.output.single",
        };
        const std::vector<Okto::String> interfaces = info->interfaces.toVector();
        const bool isOutput = std::any_of(std::begin(outputComponentIds), std::end(outputComponentIds),
                                          [&interfaces](const char* id) {
                                              return std::find(interfaces.begin(), interfaces.end(), Okto::String(id))
                                                  != interfaces.end();
                                          });
        if (!isOutput)
            return false;
        return info->query("/properties/plugin/StreamEngine//port[@media=\"video\"]").length() > 0;
    }
};

} // namespace

ZNBPreferencesPlugin::ZNBPreferencesPlugin(Okto::PluginContext* context)
    : QWidget(nullptr, initialWindowFlags)
    , Okto::Plugin(context)
{
    // One reference for the creator (from Okto::Plugin), one for the window.
    holdWindowReference();
    ensureComponentSettings();
    ui.setupUi(this);

    Qt::WindowFlags flags = windowFlags();
    flags &= ~Qt::WindowContextHelpButtonHint;
    flags |= Qt::MSWindowsFixedSizeDialogHint;
    setWindowFlags(flags);

    declareBindings();
    initialise();
    makeAccessible();
}

ZNBPreferencesPlugin::~ZNBPreferencesPlugin()
{
    // The next plug-in object opens the settings afresh.
    releaseComponentSettings();
    frameRatePresets.clear();
}

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
    if (dirty) {
        const auto answer = QMessageBox::question(
            this, tr("Save changes?"), tr("The current settings have not been saved. Would you like to save them?"),
            QMessageBox::Save | QMessageBox::Discard, QMessageBox::Save);
        if (answer == QMessageBox::Save) {
            save();
        } else {
            dirty = false;
            ui.applyButton->setEnabled(false);
        }
    }
    close();
}

void ZNBPreferencesPlugin::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A hidden window draws nothing, yet its backing store keeps an image of
    // the whole window (2.5 MiB, shared with the X server). Shrinking it
    // gives that back; the next show paints into a store of the window's size
    // again, which Qt makes before the first paint.
    if (QBackingStore* store = backingStore())
        store->resize(QSize(1, 1));
#ifdef __GLIBC__
    // Building and first laying out the window leaves freed heap behind
    // (text layouts, font matching); hand it back once the hide has gone out.
    QTimer::singleShot(0, this, [] { malloc_trim(0); });
#endif
}

void ZNBPreferencesPlugin::showPlaybackPreferences()
{
    ui.listBox->setCurrentRow(playbackPageRow);
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

void ZNBPreferencesPlugin::fillVideoOutputMethods()
{
    Okto::List<Okto::PluginInfo*> outputs;
    std::map<std::string, std::string> byShortName; // ordered by the names' bytes
    if (Okto::PluginContext* host = context()) {
        host->getPluginInfos(&outputs, VideoOutputInterfaceFilter());
        for (int i = 0; i < outputs.count; ++i) {
            Okto::PluginInfo* info = outputs.at(i);
            byShortName[info->shortName().toStdString()] = info->id.toStdString();
        }
    }

    QVector<Choice> methods{{tr("Best Available"), QStringLiteral("<best>")}};
    if (byShortName.size() > 1) {
        for (const auto& [shortName, id] : byShortName)
            methods.append({QString::fromLatin1(shortName.c_str()), ZNBStringTools::fromStdStringUTF8(id)});
    } else {
        ui.videoOutputMethodLabel->hide();
        ui.videoOutputMethodComboBox->hide();
    }
    appendItems(ui.videoOutputMethodComboBox, methods);
}

} // namespace ZelkNimbo
