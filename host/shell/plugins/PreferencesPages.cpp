#include "host/shell/plugins/PreferencesPages.h"

#include <QListWidget>
#include <QStringList>

namespace ZelkShell {

namespace {

struct Page {
    const char* name;
    const char* title;
};

const Page pages[preferencesPageCount] = {
    {"general", "General"},     {"video-library", "Video Library"}, {"playback", "Playback"},
    {"subtitles", "Subtitles"}, {"advanced", "Advanced"},
};

} // namespace

QString preferencesPageName(int row)
{
    if (row < 0 || row >= preferencesPageCount)
        return QString();
    return QString::fromLatin1(pages[row].name);
}

int preferencesPageRow(const QString& name)
{
    const QString wanted = name.trimmed();
    for (int row = 0; row < preferencesPageCount; ++row) {
        if (wanted.compare(QLatin1String(pages[row].name), Qt::CaseInsensitive) == 0
            || wanted.compare(QLatin1String(pages[row].title), Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

QString preferencesPageNames()
{
    QStringList names;
    for (const Page& page : pages)
        names << QString::fromLatin1(page.name);
    return names.join(QStringLiteral(", "));
}

bool selectPreferencesPage(QObject* window, int row)
{
    auto* list = window ? window->findChild<QListWidget*>(QStringLiteral("listBox")) : nullptr;
    if (!list || row < 0 || row >= list->count())
        return false;
    // The window switches its page stack with the list's current row.
    list->setCurrentRow(row);
    return true;
}

} // namespace ZelkShell
