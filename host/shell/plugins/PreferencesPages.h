#pragma once

#include <QString>

class QObject;

namespace ZelkShell {

// The pages of the preferences window, in page-list order.
constexpr int preferencesPageCount = 5;
constexpr int playbackPageRow = 2;

// Command-line name of the page in `row` ("general", "video-library", ...).
QString preferencesPageName(int row);
// The row of a page named by its command-line name or its title ("Video
// Library"), ignoring case; -1 when there is no such page.
int preferencesPageRow(const QString& name);
// All command-line names, comma-separated, for messages.
QString preferencesPageNames();

// Makes `row` the current page of the preferences window `window` through its
// page list (object name "listBox"); false when the window has no such list.
bool selectPreferencesPage(QObject* window, int row);

} // namespace ZelkShell
