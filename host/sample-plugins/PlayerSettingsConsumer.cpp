// The player's settings consumer: the preferences call settingsChanged() on it
// after every save, and it asks the player, over the message hub, to re-read
// and apply the settings the player uses.

#include "framework/OktoString.h"
#include "framework/Plugin.h"
#include "framework/PluginInfo.h"
#include "framework/PluginResult.h"
#include "host/library/ZNBLibrary.h"
#include "host/library/HubMessages.h"
#include "plugin/HostInterfaces.h"

#include <QString>
#include <QtGlobal>

#include <exception>

namespace {

const Okto::String settingsConsumerId(ZelkNimbo::InterfaceId::SettingsConsumer);

class PlayerSettingsConsumer : public Okto::Plugin, public ZelkNimbo::SettingsConsumerInterface {
public:
    explicit PlayerSettingsConsumer(Okto::PluginContext* context)
        : Okto::Plugin(context)
    {
    }

    int queryInterface(const Okto::String& id, void** out) override
    {
        if (!out)
            return Okto::PluginMissingOutput;
        *out = nullptr;
        if (id != settingsConsumerId)
            return Okto::PluginNotFound;
        *out = static_cast<ZelkNimbo::SettingsConsumerInterface*>(this);
        return Okto::PluginSuccess;
    }

    void settingsChanged() override
    {
        qInfo("zelk-player: settings saved; the player re-reads them");
        const QString sender = info() ? QString::fromStdString(info()->id.toStdString()) : QString();
        ZelkNimbo::PubSubHub::publishMessage(QLatin1String(ZelkNimbo::HubMessages::PlayerSettingsChanged), sender);
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) int _getPlugin(Okto::PluginContext* context, Okto::Plugin** out)
{
    if (!out)
        return Okto::PluginMissingOutput;
    *out = nullptr;
    try {
        *out = new PlayerSettingsConsumer(context);
    } catch (const std::exception&) {
        *out = nullptr;
    }
    return Okto::PluginSuccess;
}
