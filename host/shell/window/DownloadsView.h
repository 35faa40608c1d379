#pragma once

#include <QHash>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace ZelkShell {

class DownloadManager;
class DownloadRow;

// The download manager view: a field for the address to download and an Add
// button, then one row per download, in queue order.
class DownloadsView : public QWidget {
    Q_OBJECT

public:
    explicit DownloadsView(DownloadManager& manager, QWidget* parent = nullptr);

    // Queues `address`; false, with the reason shown in the view, when it is
    // refused.
    bool addAddress(const QString& address);

    QLineEdit* addressField() const { return address_; }
    QPushButton* addButton() const { return add_; }
    QLabel* statusLabel() const { return status_; }
    // The row of download `id`; null when it is not listed.
    DownloadRow* row(qint64 id) const { return rows_.value(id); }
    int rowCount() const { return rows_.size(); }

signals:
    void playRequested(const QString& path);

private:
    void downloadChanged(qint64 id);
    void downloadRemoved(qint64 id);
    void updateHint();

    DownloadManager& manager_;
    QLineEdit* address_;
    QPushButton* add_;
    QLabel* status_;
    QLabel* hint_;
    QVBoxLayout* list_;
    QHash<qint64, DownloadRow*> rows_;
};

} // namespace ZelkShell
