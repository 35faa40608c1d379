#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QListView;
class QListWidget;
class QPushButton;
class QTimer;

namespace ZelkShell {

class LibraryListModel;
class VideoLibrary;
struct BehaviourSettings;

// The video library view: the library's videos, the recently watched ones
// when that list is switched on, Play / Remove, and Import Folder…. The
// videos are read off the GUI thread and listed as they are scrolled to (see
// LibraryListModel); `library` serves removals.
class LibraryView : public QWidget {
    Q_OBJECT

public:
    // `settings` is asked for the current switches whenever they matter.
    LibraryView(VideoLibrary& library, std::function<BehaviourSettings()> settings, QWidget* parent = nullptr);

    // Re-reads the library (in the background) and the switches. While
    // another program holds the library locked, says so and reads again a
    // little later. The selected video stays selected.
    void refresh();
    // Shows `text` in the status line until the view is next hidden.
    void announce(const QString& text);
    // Removes the selected video the way the switches say (asking first when
    // the disk file would go too); false when nothing was removed.
    bool removeSelected();

    QListView* videoList() const { return videos_; }
    // Every video in the library at the last read (the list holds those
    // scrolled to so far); -1 before the first read.
    int videoCount() const;
    // Whether a read of the library is awaited.
    bool isReading() const;
    QListWidget* recentList() const { return recent_; }
    QLabel* statusLabel() const { return status_; }

signals:
    void playRequested(const QString& path);
    // "Import Folder…" was pressed: the window asks for the folder.
    void importRequested();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    static QString busyText();
    QString selectedPath() const;
    bool confirmDiskDeletion(const QString& path);

    VideoLibrary& library_;
    std::function<BehaviourSettings()> settings_;
    LibraryListModel* model_;
    QListView* videos_;
    QLabel* recentTitle_;
    QListWidget* recent_;
    QPushButton* play_;
    QPushButton* remove_;
    QPushButton* import_;
    QLabel* status_;
    QTimer* retryRead_;
    QString notice_;
    // Selected before a reload, selected again after it.
    QString keptSelection_;
};

} // namespace ZelkShell
