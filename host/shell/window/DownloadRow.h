#pragma once

#include "host/shell/downloads/DownloadManager.h"

#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ZelkShell {

// One download in the download view: its name, a progress bar, the bytes
// so far, the rate and the time left, its state in words, and the buttons
// that apply to that state.
class DownloadRow : public QFrame {
    Q_OBJECT

public:
    DownloadRow(DownloadManager& manager, qint64 id, QWidget* parent = nullptr);

    // Shows the download as it stands now.
    void refresh();

    // "12.3 MB of 256 MB", "1.2 MB/s", "3 min 20 s left", "Paused"...
    static QString bytesText(const DownloadManager::Download& download);
    static QString rateText(const DownloadManager::Download& download);
    static QString timeLeftText(const DownloadManager::Download& download);
    static QString stateText(const DownloadManager::Download& download);

    QLabel* nameLabel() const { return name_; }
    QLabel* stateLabel() const { return state_; }
    QLabel* detailsLabel() const { return details_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* pauseButton() const { return pause_; }
    QPushButton* resumeButton() const { return resume_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* openButton() const { return open_; }

signals:
    void openRequested(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The name cut with "…" to the width the row gives it: a long name
    // never pushes the state and the buttons out of view.
    void fitName();

    QString fullName_;
    DownloadManager& manager_;
    qint64 id_;
    QLabel* name_;
    QLabel* state_;
    QProgressBar* progress_;
    QLabel* details_;
    QPushButton* pause_;
    QPushButton* resume_;
    QPushButton* cancel_;
    QPushButton* remove_;
    QPushButton* open_;
};

} // namespace ZelkShell
