#include "settings/PreferenceAccessors.h"

#include "host/library/ZNBLibrary.h"

namespace ZelkNimbo {

namespace {

ovra::RefCountedPtr<ilsk::IZelkSettings> componentSettings;

const char listSeparator[] = ":";

// The section below the component settings, held for one call.
ovra::RefCountedPtr<ilsk::IZelkSettings> openPreferenceSection(const std::string& section)
{
    ovra::RefCountedPtr<ilsk::IZelkSettings> opened;
    if (componentSettings)
        componentSettings->openSection(section, opened.out());
    return opened;
}

template <typename Value>
Value readScalar(const std::string& section, const std::string& name, const Value& defaultValue)
{
    ensureComponentSettings();
    Value result = defaultValue;
    if (auto opened = openPreferenceSection(section))
        opened->getValue(name, result);
    return result;
}

template <typename Value>
bool writeValue(const std::string& section, const std::string& name, const Value& value)
{
    ensureComponentSettings();
    auto opened = openPreferenceSection(section);
    return opened && opened->setValue(name, value);
}

} // namespace

std::string componentSettingsPath()
{
    return "Settings/" + OSUtilities::getComponentIdUTF8();
}

void ensureComponentSettings()
{
    if (componentSettings)
        return;
    ilsk::openSettings(componentSettingsPath(), ilsk::UserCreateMachineFallback, componentSettings.out());
}

void releaseComponentSettings()
{
    componentSettings.reset();
}

ilsk::IZelkSettings* componentSettingsSection()
{
    return componentSettings.get();
}

QString readPreferenceString(const std::string& section, const std::string& name, const QString& defaultValue)
{
    ensureComponentSettings();
    if (!componentSettings)
        return defaultValue;
    std::string text = ZNBStringTools::toStdStringUTF8(defaultValue);
    if (auto opened = openPreferenceSection(section))
        opened->getValue(name, text);
    return ZNBStringTools::fromStdStringUTF8(text);
}

int readPreferenceInt(const std::string& section, const std::string& name, const int& defaultValue)
{
    return readScalar<std::int32_t>(section, name, defaultValue);
}

unsigned readPreferenceUInt(const std::string& section, const std::string& name, const unsigned& defaultValue)
{
    return readScalar<std::uint32_t>(section, name, defaultValue);
}

bool readPreferenceBool(const std::string& section, const std::string& name, const bool& defaultValue)
{
    return readScalar<bool>(section, name, defaultValue);
}

QStringList readPreferenceStringList(const std::string& section, const std::string& name, const QStringList& defaultValue)
{
    ensureComponentSettings();
    if (!componentSettings)
        return defaultValue;
    std::string text = ZNBStringTools::toStdStringUTF8(defaultValue.join(listSeparator));
    if (auto opened = openPreferenceSection(section))
        opened->getValue(name, text);
    return ZNBStringTools::fromStdStringUTF8(text).split(listSeparator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QFont readPreferenceFont(const std::string& section, const std::string& name, const QFont& defaultValue)
{
    ensureComponentSettings();
    if (!componentSettings)
        return defaultValue;
    return fontFromStringList(readPreferenceStringList(section, name, fontToStringList(defaultValue)));
}

bool writePreferenceString(const std::string& section, const std::string& name, const QString& value)
{
    return writeValue(section, name, ZNBStringTools::toStdStringUTF8(value));
}

bool writePreferenceStringList(const std::string& section, const std::string& name, const QStringList& value)
{
    return writeValue(section, name, ZNBStringTools::toStdStringUTF8(value.join(listSeparator)));
}

bool writePreferenceInt(const std::string& section, const std::string& name, const int& value)
{
    return writeValue(section, name, static_cast<std::int32_t>(value));
}

bool writePreferenceUInt(const std::string& section, const std::string& name, const unsigned& value)
{
    return writeValue(section, name, static_cast<std::uint32_t>(value));
}

bool writePreferenceBool(const std::string& section, const std::string& name, const bool& value)
{
    return writeValue(section, name, value);
}

bool writePreferenceFont(const std::string& section, const std::string& name, const QFont& value)
{
    return writePreferenceStringList(section, name, fontToStringList(value));
}

} // namespace ZelkNimbo
