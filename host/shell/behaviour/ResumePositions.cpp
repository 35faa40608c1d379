#include "host/shell/behaviour/ResumePositions.h"

#include "host/shell/behaviour/BackgroundJob.h"
#include "host/shell/behaviour/StoreWrites.h"
#include "host/shell/behaviour/StoredPaths.h"
#include "settings/PreferenceAccessors.h"
#include "settings/SettingsBatch.h"

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

// The positions key opened for the thread that removes old positions: the
// component's sections belong to the GUI thread. The same key as
// openPositions() writes to, the user hive's: a value only the machine hive
// holds is the machine's to keep.
Section openPositionsForTrim()
{
    Section section;
    ilsk::openSettings(ZelkNimbo::componentSettingsPath() + "/" + ResumePositions::sectionName, ilsk::UserReadWrite,
                       section.out());
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

// Removes the value `name` whatever its type: one of another type than a
// position's is no position, but named for the file all the same, and goes
// with it. Deleting a value that is not there is no failure.
bool removeIfPresent(ilsk::IZelkSettings& section, const std::string& name)
{
    if (section.deleteValue(name))
        return true;
    std::set<std::string> names;
    return section.getValueNames(names) && names.count(name) == 0;
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

// A stored value as the trim read it, by its UTF-16 name: names written by
// another tool need not be valid Unicode (a lone surrogate), and must be
// removable all the same.
struct StoredEntry {
    qint64 stamp = -1; // unreadable entries go first: they cannot be resumed anyway
    const ilsk::Utf16String* name = nullptr;
    bool readable = false;
    std::string data;
};

constexpr std::size_t removalsPerBatch = 500;

bool olderThan(const StoredEntry& a, const StoredEntry& b)
{
    return a.stamp != b.stamp ? a.stamp < b.stamp : *a.name < *b.name;
}

// Whether every one of `names` is gone from the key (a failed removal of a
// value someone else removed first is no failure).
bool noneListed(ilsk::IZelkSettings& section, const std::vector<const ilsk::Utf16String*>& names)
{
    std::set<ilsk::Utf16String> listed;
    if (!section.getValueNames(listed))
        return false;
    return std::none_of(names.begin(), names.end(),
                        [&](const ilsk::Utf16String* name) { return listed.count(*name) > 0; });
}

} // namespace

ResumePositions::ResumePositions(int capacity)
    : capacity_(capacity)
    , trim_(std::make_unique<BackgroundJob>([this] {
        if (!trimToCapacity())
            qWarning("zelk-player: older resume positions could not be removed from the store");
    }))
{
}

ResumePositions::~ResumePositions()
{
    // Ends the background removal while the members it uses still exist.
    trim_.reset();
}

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
    const QString data = QStringLiteral("%1;%2").arg(qRound64(position * 1000.0)).arg(nextStamp());
    const bool stored = writeRetryingOnFreshKeys([&file, &data] {
        Section section = openPositions();
        if (!section || !section->setValue(nameOf(file), data.toStdString()))
            return false;
        // The value an earlier version stored for the file goes: it is replaced.
        return removeIfPresent(*section, legacyNameOf(file));
    });
    if (!stored)
        return false;
    trim_->request();
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
    return writeRetryingOnFreshKeys([&file] {
        Section section = openPositions();
        if (!section)
            return false;
        // A file may have one under each form of its name.
        return removeIfPresent(*section, nameOf(file)) && removeIfPresent(*section, legacyNameOf(file));
    });
}

int ResumePositions::count() const
{
    Section section = openPositions();
    std::uint32_t stored = 0;
    if (!section || !section->getValueCount(stored))
        return -1;
    return static_cast<int>(stored);
}

void ResumePositions::waitUntilTrimmed()
{
    trim_->waitUntilIdle();
}

// Runs on the background thread. Every entry is read outside any batch; then
// the oldest are removed in batches: one transaction for many removals
// instead of one each. The other threads' store calls wait while a batch is
// open, so a batch holds no more than removalsPerBatch removals (see
// docs/performance.md).
bool ResumePositions::trimToCapacity() const
{
    Section section = openPositionsForTrim();
    std::set<ilsk::Utf16String> names;
    if (!section || !section->getValueNames(names))
        return false;
    const std::size_t capacity = static_cast<std::size_t>(std::max(capacity_, 0));
    if (names.size() <= capacity)
        return true;
    std::vector<StoredEntry> entries;
    entries.reserve(names.size());
    for (const ilsk::Utf16String& name : names) {
        StoredEntry entry;
        entry.name = &name;
        entry.readable = section->getValue(name, entry.data);
        if (const std::optional<Entry> parsed = entry.readable ? parse(entry.data) : std::nullopt)
            entry.stamp = parsed->stamp;
        entries.push_back(std::move(entry));
    }
    // Only the oldest have to be found, not the whole list put in order.
    const std::size_t excess = entries.size() - capacity;
    std::nth_element(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(excess - 1), entries.end(),
                     olderThan);
    std::vector<const ilsk::Utf16String*> failed;
    for (std::size_t first = 0; first < excess; first += removalsPerBatch) {
        ilsk::SettingsBatch batch;
        if (batch.status() != 0)
            return false;
        for (std::size_t i = first; i < std::min(excess, first + removalsPerBatch); ++i) {
            const StoredEntry& entry = entries[i];
            std::string now;
            const bool readable = section->getValue(*entry.name, now);
            // Stored again since it was read: no longer among the oldest.
            if (readable != entry.readable || now != entry.data)
                continue;
            if (!section->deleteValue(*entry.name))
                failed.push_back(entry.name);
        }
        if (batch.commit() != 0)
            return false;
    }
    return failed.empty() || noneListed(*section, failed);
}

} // namespace ZelkShell
