// A cached settings section against QSettings (INI) for the same repeated
// reads and writes, measured in one run.

#include "../support/Timing.h"
#include "settings/IZelkSettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    // A private registry for the run.
    setenv("ZELK_REGISTRY_DIR", folder.filePath(QStringLiteral("registry")).toUtf8().constData(), 1);
    const int iterations = argc > 1 ? std::atoi(argv[1]) : 2000;

    ovra::RefCountedPtr<ilsk::IZelkSettings> component;
    if (!ilsk::openSettings("Settings/Bench", ilsk::UserCreateMachineFallback, component.out()))
        return 1;
    QSettings ini(folder.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat);

    std::int32_t value = 0;
    int counter = 0;
    const std::string section = "Playback";
    const std::string name = "Volume";

    component->openSection(section, nullptr);
    {
        ovra::RefCountedPtr<ilsk::IZelkSettings> playback;
        component->openSection(section, playback.out());
        playback->setValue(name, std::int32_t(42));
    }
    ini.setValue(QStringLiteral("Playback/Volume"), 42);

    auto cachedGet = [&] {
        ovra::RefCountedPtr<ilsk::IZelkSettings> playback;
        component->openSection(section, playback.out());
        playback->getValue(name, value);
    };
    auto cachedSet = [&] {
        ovra::RefCountedPtr<ilsk::IZelkSettings> playback;
        component->openSection(section, playback.out());
        playback->setValue(name, std::int32_t(++counter));
    };
    auto iniGet = [&] { value = ini.value(QStringLiteral("Playback/Volume")).toInt(); };
    auto iniSet = [&] { ini.setValue(QStringLiteral("Playback/Volume"), ++counter); };
    auto iniSetSync = [&] {
        ini.setValue(QStringLiteral("Playback/Volume"), ++counter);
        ini.sync();
    };

    using zelkbench::Result;
    const Result get{"section getValue (cached section)", zelkbench::measure(cachedGet, iterations)};
    const Result set{"section setValue (cached section)", zelkbench::measure(cachedSet, iterations / 10)};
    const Result qGet{"QSettings value (INI)", zelkbench::measure(iniGet, iterations)};
    const Result qSet{"QSettings setValue (INI, no sync)", zelkbench::measure(iniSet, iterations)};
    const Result qSetSync{"QSettings setValue + sync (INI)", zelkbench::measure(iniSetSync, iterations / 10)};
    zelkbench::report("Settings store against QSettings", {{get, qGet}, {set, qSet}, {set, qSetSync}});
    return value == -1 ? 1 : 0;
}
