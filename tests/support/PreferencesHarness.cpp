#include "PreferencesHarness.h"

#include "framework/PluginResult.h"
#include "host/library/ZNBLibrary.h"
#include "platform/win32_registry.h"
#include "plugin/HostInterfaces.h"

#include <QCoreApplication>
#include <QFile>
#include <QMetaObject>
#include <QPushButton>

#include <cstring>
#include <string>

namespace zelktest {

namespace {

std::u16string settingsKey(const char* section)
{
    const QString path = QStringLiteral("SOFTWARE\\Zelk\\Settings\\%1\\%2")
                             .arg(QString::fromStdString(ZelkNimbo::OSUtilities::getComponentIdUTF8()),
                                  QString::fromLatin1(section));
    return path.toStdU16String();
}

bool writeRaw(const char* section, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, settingsKey(section).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const std::u16string wideName = QString::fromLatin1(name).toStdU16String();
    const LONG status = RegSetValueExW(key, wideName.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace

QString pluginBuildDir()
{
    return QStringLiteral(ZELK_TEST_PLUGIN_DIR);
}

PreferencesHarness::PreferencesHarness(const QStringList& pluginDirs)
{
    context.setLifecycleObserver([this](ZelkHost::HostPluginContext::Event event, Okto::Plugin* gone) {
        if (event == ZelkHost::HostPluginContext::Event::DidDestroy && gone == plugin)
            ++destroyed;
    });
    context.addPluginDirectory(Okto::String(pluginBuildDir().toUtf8().constData()));
    for (const QString& dir : pluginDirs)
        context.addPluginDirectory(Okto::String(dir.toUtf8().constData()));
    if (context.createPlugin(Okto::String("com.zelk.nimbo.plugin.Preferences"), &plugin) != Okto::PluginSuccess)
        return;
    void* menu = interface(ZelkNimbo::InterfaceId::Menu);
    if (menu)
        window_ = qobject_cast<QWidget*>(static_cast<ZelkNimbo::MenuInterface*>(menu)->menuObject());
}

PreferencesHarness::~PreferencesHarness()
{
    if (!plugin)
        return;
    plugin->release();
    // A window that still holds its own reference closes without saving.
    if (destroyed == 0 && window_)
        call("closeDiscard");
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    // A window left alive would keep the settings open into the next test.
    if (destroyed != 1)
        qFatal("the preferences window was not destroyed");
}

bool PreferencesHarness::applyEnabled() const
{
    auto* apply = child<QPushButton>("applyButton");
    return apply && apply->isEnabled();
}

bool PreferencesHarness::call(const char* slot)
{
    return window_ && QMetaObject::invokeMethod(window_, slot, Qt::DirectConnection);
}

void* PreferencesHarness::interface(const char* id) const
{
    void* out = nullptr;
    if (plugin)
        plugin->queryInterface(Okto::String(id), &out);
    return out;
}

bool StoredValue::asBool() const
{
    return bytes.size() == 4 && std::memcmp(bytes.constData(), "\0\0\0\0", 4) != 0;
}

std::int64_t StoredValue::asInt() const
{
    std::int64_t value = 0;
    if (bytes.size() == 8)
        std::memcpy(&value, bytes.constData(), 8);
    else if (bytes.size() == 4) {
        std::int32_t small;
        std::memcpy(&small, bytes.constData(), 4);
        value = small;
    }
    return value;
}

QString StoredValue::asString() const
{
    QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    const int nul = text.indexOf(QChar(0));
    return nul >= 0 ? text.left(nul) : text;
}

StoredValue storedValue(const char* section, const char* name)
{
    StoredValue value;
    HKEY key = nullptr;
    value.status = RegOpenKeyExW(HKEY_CURRENT_USER, settingsKey(section).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key);
    if (value.status != ERROR_SUCCESS)
        return value;
    const std::u16string wideName = QString::fromLatin1(name).toStdU16String();
    DWORD size = 0;
    DWORD type = 0;
    value.status = RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size);
    if (value.status == ERROR_SUCCESS) {
        value.bytes.resize(int(size));
        value.status = RegQueryValueExW(key, wideName.c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE*>(value.bytes.data()), &size);
        value.type = type;
    }
    RegCloseKey(key);
    return value;
}

bool storeBool(const char* section, const char* name, bool value)
{
    const DWORD flag = value ? 1 : 0;
    return writeRaw(section, name, REG_DWORD, &flag, 4);
}

bool storeInt(const char* section, const char* name, std::int64_t value)
{
    return writeRaw(section, name, REG_QWORD, &value, 8);
}

bool storeString(const char* section, const char* name, const QString& value)
{
    const std::u16string text = value.toStdU16String();
    return writeRaw(section, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * 2));
}

void clearStore()
{
    SHDeleteKeyW(HKEY_CURRENT_USER, u"SOFTWARE\\Zelk");
}

QStringList twoOutputDirs(QTemporaryDir& dir)
{
    const char* names[] = {"Alpha", "Beta"};
    for (const char* name : names) {
        QFile file(dir.filePath(QString::fromLatin1(name) + QStringLiteral(".xml")));
        file.open(QIODevice::WriteOnly);
        file.write(QStringLiteral("<properties><id>id.%1</id><name><short>%1</short></name><interfaces>"
                                  "<interface>com.zelk.streamengine.component.output</interface></interfaces>"
                                  "<plugin><StreamEngine><port media=\"video\">in</port></StreamEngine></plugin>"
                                  "</properties>")
                       .arg(QString::fromLatin1(name))
                       .toUtf8());
    }
    return {dir.path()};
}

} // namespace zelktest
