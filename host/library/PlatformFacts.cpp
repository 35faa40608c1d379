// Facts about the machine the player runs on: platform code, component id and
// the default media folder.

#include "host/library/ZNBLibrary.h"

#include <QDir>
#include <QStandardPaths>

namespace ZelkNimbo {

namespace {

constexpr Platform nativePlatform()
{
#if defined(_WIN32)
    return PlatformWindows;
#elif defined(__APPLE__)
    return PlatformMacOS;
#else
    return PlatformLinux;
#endif
}

const char* const platformOverrideVariable = "ZELK_PLATFORM";
const char* const componentIdOverrideVariable = "ZELK_COMPONENT_ID";
const char* const defaultComponentId = "Nimbo";
const char* const moviesFolderName = "Zelk Movies";

} // namespace

Platform OSUtilities::getPlatform()
{
    // Read on every call so a test can switch platforms without restarting.
    // Only known codes are taken: anything else would be an enum value the
    // callers cannot handle, so a malformed override falls back to the truth.
    if (qEnvironmentVariableIsSet(platformOverrideVariable)) {
        bool isNumber = false;
        const int code = qEnvironmentVariable(platformOverrideVariable).trimmed().toInt(&isNumber, 10);
        if (isNumber && code >= PlatformWindows && code <= PlatformLinux)
            return static_cast<Platform>(code);
    }
    return nativePlatform();
}

std::string OSUtilities::getComponentIdUTF8()
{
    // An override that is set but empty is deliberate (it selects the bare
    // settings root), so "set" and "non-empty" are told apart.
    if (qEnvironmentVariableIsSet(componentIdOverrideVariable))
        return qEnvironmentVariable(componentIdOverrideVariable).toStdString();
    return defaultComponentId;
}

QString OSUtilities::getZelkMoviesPathDefault()
{
    // Only the path: the folder is created by whoever first stores media in it.
    QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (videos.isEmpty())
        videos = QDir::homePath();
    return videos + QLatin1Char('/') + QLatin1String(moviesFolderName);
}

} // namespace ZelkNimbo
