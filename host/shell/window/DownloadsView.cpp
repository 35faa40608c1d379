#include "host/shell/window/DownloadsView.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ZelkShell {

DownloadsView::DownloadsView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("downloadsView"));
    auto* text = new QLabel(tr("Downloads are not part of this player. It plays the video files on this computer."),
                            this);
    text->setObjectName(QStringLiteral("downloadsNotice"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
}

} // namespace ZelkShell
