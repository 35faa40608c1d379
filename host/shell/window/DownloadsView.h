#pragma once

#include <QWidget>

namespace ZelkShell {

// The download manager view: this player has no downloads, and says so.
class DownloadsView : public QWidget {
    Q_OBJECT

public:
    explicit DownloadsView(QWidget* parent = nullptr);
};

} // namespace ZelkShell
