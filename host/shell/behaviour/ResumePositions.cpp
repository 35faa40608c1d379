#include "host/shell/behaviour/ResumePositions.h"

#include "host/shell/behaviour/StoredPaths.h"

#include "settings/PreferenceAccessors.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ZelkShell {

namespace {

using Section = ovra::RefCountedPtr<ilsk::IZelkSettings>;

// Opens (creating) the positions key; null when the store is unavailable.
Section openPositions()
{
    ZelkNimbo::ensureComponentSettings();
    Section section;
    if (ilsk::IZelkSettings* component = ZelkNimbo::componentSettingsSection())
        component->openSection(std::string(ResumePositions::sectionName), section.out());
    return section;
}

// A file's value is named by its local-file URL (see StoredPaths); earlier
// versions named it by the plain path, still found under legacyNameOf().
std::string nameOf(const QString& file)
{
    return StoredPaths::encode(file).toStdString();
}

std::string legacyNameOf(const QString& file)
{
    return file.toStdString();
}

// The name `file`'s position is stored under: the current form, else the
// form of earlier versions; empty when neither holds one.
std::string storedNameOf(const Section& section, const QString& file, std::string* data)
{
    for (const std::string& name : {nameOf(file), legacyNameOf(file)}) {
        if (!name.empty() && section->getValue(name, *data))
            return name;
    }
    return std::string();
}

// Stored as "<position in milliseconds>;<stamp>", the stamp growing with
// every store so that the oldest entries can be told apart.
struct Entry {
    qint64 positionMs = 0;
    qint64 stamp = 0;
};

std::optional<Entry> parse(const std::string& data)
{
    const QStringList parts = QString::fromStdString(data).split(QLatin1Char(';'));
    if (parts.size() != 2)
        return std::nullopt;
    bool positionOk = false;
    bool stampOk = false;
    Entry entry{parts[0].toLongLong(&positionOk), parts[1].toLongLong(&stampOk)};
    if (!positionOk || !stampOk || entry.positionMs < 0)
        return std::nullopt;
    return entry;
}

// Milliseconds since the epoch, but never the same twice in one process, so
// entries stored within one millisecond still keep their order.
qint64 nextStamp()
{
    static qint64 last = 0;
    last = std::max(last + 1, QDateTime::currentMSecsSinceEpoch());
    return last;
}

} // namespace

bool ResumePositions::worthResuming(double position, double duration)
{
    return duration >= minimumDurationSeconds && position >= 1.0 && position < duration - endMarginSeconds;
}

bool ResumePositions::remember(const QString& file, double position, double duration)
{
    if (nameOf(file).empty())
        return false;
    if (!worthResuming(position, duration))
        return forget(file);
    Section section = openPositions();
    if (!section)
        return false;
    const QString data = QStringLiteral("%1;%2").arg(qRound64(position * 1000.0)).arg(nextStamp());
    if (!section->setValue(nameOf(file), data.toStdString()))
        return false;
    // The value an earlier version stored for the file goes: it is replaced.
    std::string legacyData;
    if (section->getValue(legacyNameOf(file), legacyData) && !section->deleteValue(legacyNameOf(file)))
        return false;
    std::uint32_t stored = 0;
    if (section->getValueCount(stored) && stored > static_cast<std::uint32_t>(capacity_))
        return dropOldest();
    return true;
}

std::optional<double> ResumePositions::positionFor(const QString& file, double duration) const
{
    Section section = openPositions();
    std::string data;
    if (!section || storedNameOf(section, file, &data).empty())
        return std::nullopt;
    const std::optional<Entry> entry = parse(data);
    if (!entry)
        return std::nullopt;
    const double position = entry->positionMs / 1000.0;
    if (!worthResuming(position, duration))
        return std::nullopt;
    return position;
}

bool ResumePositions::forget(const QString& file)
{
    Section section = openPositions();
    if (!section)
        return false;
    // Deleting a value that is not there is no failure here; a file may have
    // one under each form of its name.
    std::string data;
    for (std::string name = storedNameOf(section, file, &data); !name.empty();
         name = storedNameOf(section, file, &data)) {
        if (!section->deleteValue(name))
            return false;
    }
    return true;
}

int ResumePositions::count() const
{
    Section section = openPositions();
    std::uint32_t stored = 0;
    if (!section || !section->getValueCount(stored))
        return -1;
    return static_cast<int>(stored);
}

bool ResumePositions::dropOldest() const
{
    Section section = openPositions();
    std::set<std::string> names;
    if (!section || !section->getValueNames(names))
        return false;
    // Unreadable entries go first: they cannot be resumed anyway.
    std::vector<std::pair<qint64, std::string>> byAge;
    for (const std::string& name : names) {
        std::string data;
        const std::optional<Entry> entry =
            section->getValue(name, data) ? parse(data) : std::nullopt;
        byAge.emplace_back(entry ? entry->stamp : -1, name);
    }
    std::sort(byAge.begin(), byAge.end());
    const std::size_t excess = byAge.size() - std::min<std::size_t>(byAge.size(), static_cast<std::size_t>(capacity_));
    bool allDropped = true;
    for (std::size_t i = 0; i < excess; ++i)
        allDropped = section->deleteValue(byAge[i].second) && allDropped;
    return allDropped;
}

} // namespace ZelkShell
