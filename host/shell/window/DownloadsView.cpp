#include "host/shell/window/DownloadsView.h"

#include "host/shell/downloads/DownloadManager.h"
#include "host/shell/window/DownloadRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ZelkShell {

DownloadsView::DownloadsView(DownloadManager& manager, QWidget* parent)
    : QWidget(parent)
    , manager_(manager)
    , address_(new QLineEdit(this))
    , add_(new QPushButton(tr("Add"), this))
    , status_(new QLabel(this))
    , hint_(new QLabel(tr("No downloads. Enter the address of a video to save it in the default video folder."),
                       this))
    , list_(new QVBoxLayout)
{
    setObjectName(QStringLiteral("downloadsView"));
    address_->setObjectName(QStringLiteral("downloadAddress"));
    address_->setPlaceholderText(tr("https://…"));
    add_->setObjectName(QStringLiteral("addDownloadButton"));
    status_->setObjectName(QStringLiteral("downloadsStatus"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    hint_->setObjectName(QStringLiteral("downloadsHint"));
    hint_->setWordWrap(true);
    hint_->setAlignment(Qt::AlignCenter);

    auto* entry = new QHBoxLayout;
    auto* label = new QLabel(tr("&Address:"), this);
    label->setBuddy(address_);
    entry->addWidget(label);
    entry->addWidget(address_, 1);
    entry->addWidget(add_);

    auto* rows = new QWidget;
    auto* rowsLayout = new QVBoxLayout(rows);
    rowsLayout->addWidget(hint_);
    rowsLayout->addLayout(list_);
    rowsLayout->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(rows);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Download Manager"), this));
    layout->addLayout(entry);
    layout->addWidget(status_);
    layout->addWidget(scroll, 1);

    const auto addTyped = [this] {
        if (addAddress(address_->text()))
            address_->clear();
    };
    connect(add_, &QPushButton::clicked, this, addTyped);
    connect(address_, &QLineEdit::returnPressed, this, addTyped);
    connect(&manager_, &DownloadManager::changed, this, &DownloadsView::downloadChanged);
    connect(&manager_, &DownloadManager::removed, this, &DownloadsView::downloadRemoved);
    for (const DownloadManager::Download& download : manager_.downloads())
        downloadChanged(download.id);
    updateHint();
}

bool DownloadsView::addAddress(const QString& address)
{
    if (address.trimmed().isEmpty())
        return false;
    const QString refusal = manager_.add(address);
    status_->setText(refusal);
    return refusal.isEmpty();
}

void DownloadsView::downloadChanged(qint64 id)
{
    if (DownloadRow* existing = rows_.value(id)) {
        existing->refresh();
        return;
    }
    if (!manager_.find(id))
        return;
    auto* row = new DownloadRow(manager_, id, this);
    connect(row, &DownloadRow::openRequested, this, &DownloadsView::playRequested);
    // Rows come in queue order: ids grow in the order downloads are added.
    int position = 0;
    for (auto it = rows_.cbegin(); it != rows_.cend(); ++it)
        position += it.key() < id ? 1 : 0;
    list_->insertWidget(position, row);
    rows_.insert(id, row);
    updateHint();
}

void DownloadsView::downloadRemoved(qint64 id)
{
    if (DownloadRow* row = rows_.take(id))
        row->deleteLater();
    updateHint();
}

void DownloadsView::updateHint()
{
    hint_->setVisible(rows_.isEmpty());
}

} // namespace ZelkShell
