#include "host/shell/engine/AudioOutputChoice.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace ZelkShell {

namespace {

// Where a machine's sound servers and devices would be.
struct AudioMachine {
    QString runtimeFolder; // XDG_RUNTIME_DIR
    QString pipeWireRuntimeFolder; // PIPEWIRE_RUNTIME_DIR, if set
    bool pipeWireRemoteNamed = false; // PIPEWIRE_REMOTE
    bool pulseServerNamed = false; // PULSE_SERVER
    QString soundDeviceFolder = QStringLiteral("/dev/snd");
    QStringList alsaConfigurationFiles; // an ALSA set-up may route elsewhere
};

bool hasPlaybackDevice(const QString& deviceFolder)
{
    // ALSA names its playback devices pcmC<card>D<device>p.
    return !QDir(deviceFolder).entryList({QStringLiteral("pcmC*D*p")}, QDir::System | QDir::Files).isEmpty();
}

QString audioOutputChoiceFor(const AudioMachine& machine)
{
    QStringList outputs;
    const QString pipeWireFolder =
        machine.pipeWireRuntimeFolder.isEmpty() ? machine.runtimeFolder : machine.pipeWireRuntimeFolder;
    if (machine.pipeWireRemoteNamed
        || (!pipeWireFolder.isEmpty() && QFileInfo::exists(pipeWireFolder + QStringLiteral("/pipewire-0"))))
        outputs << QStringLiteral("pipewire");
    if (machine.pulseServerNamed
        || (!machine.runtimeFolder.isEmpty()
            && QFileInfo::exists(machine.runtimeFolder + QStringLiteral("/pulse/native"))))
        outputs << QStringLiteral("pulse");
    const bool alsaConfigured = std::any_of(machine.alsaConfigurationFiles.begin(), machine.alsaConfigurationFiles.end(),
                                            [](const QString& file) { return QFileInfo::exists(file); });
    if (alsaConfigured || hasPlaybackDevice(machine.soundDeviceFolder))
        outputs << QStringLiteral("alsa");
    // Nothing to play to: the engine's silent output, chosen outright.
    if (outputs.isEmpty())
        return QStringLiteral("null");
    return outputs.join(QLatin1Char(','));
}

} // namespace

QString audioOutputChoice()
{
    static const QString choice = [] {
        AudioMachine machine;
        machine.runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
        machine.pipeWireRuntimeFolder = qEnvironmentVariable("PIPEWIRE_RUNTIME_DIR");
        machine.pipeWireRemoteNamed = !qEnvironmentVariableIsEmpty("PIPEWIRE_REMOTE");
        machine.pulseServerNamed = !qEnvironmentVariableIsEmpty("PULSE_SERVER");
        machine.alsaConfigurationFiles = QStringList{QDir::homePath() + QStringLiteral("/.asoundrc"),
                                          QStringLiteral("/etc/asound.conf")};
        return audioOutputChoiceFor(machine);
    }();
    return choice;
}

} // namespace ZelkShell
