#include "host/shell/library/PlayerViews.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/library/DownloadsView.h"
#include "host/shell/library/LibraryRules.h"
#include "host/shell/library/LibraryView.h"
#include "host/shell/library/VideoLibrary.h"

namespace ZelkShell {

PlayerViews::PlayerViews(QWidget* playback, std::function<BehaviourSettings()> settings, QWidget* parent)
    : QStackedWidget(parent)
    , settings_(std::move(settings))
    , library_(std::make_unique<VideoLibrary>())
    , playback_(playback)
{
    setObjectName(QStringLiteral("playerViews"));
    libraryView_ = new LibraryView(*library_, settings_, this);
    downloadsView_ = new DownloadsView(this);
    addWidget(playback_);
    addWidget(libraryView_);
    addWidget(downloadsView_);
    connect(libraryView_, &LibraryView::playRequested, this, [this](const QString& path) {
        setCurrentWidget(playback_);
        emit playRequested(path);
    });
    QString error;
    if (!library_->open(&error))
        qWarning("zelk-player: the video library cannot be opened: %s", qUtf8Printable(error));
}

PlayerViews::~PlayerViews() = default;

bool PlayerViews::showView(const QString& name)
{
    if (name == QLatin1String(libraryName)) {
        libraryView_->refresh();
        setCurrentWidget(libraryView_);
    } else if (name == QLatin1String(downloadsName)) {
        setCurrentWidget(downloadsView_);
    } else {
        setCurrentWidget(playback_);
        return name == QLatin1String(playbackName);
    }
    return true;
}

QString PlayerViews::currentViewName() const
{
    if (currentWidget() == libraryView_)
        return QLatin1String(libraryName);
    if (currentWidget() == downloadsView_)
        return QLatin1String(downloadsName);
    return QLatin1String(playbackName);
}

void PlayerViews::refreshLibrary()
{
    if (!library_->isOpen())
        return;
    if (LibraryRules::importDefaultFolder(*library_, settings_()) < 0)
        emit problem(tr("The default video folder could not be added to the library: %1").arg(library_->lastError()));
    libraryView_->refresh();
}

void PlayerViews::videoPlayed(const QString& path)
{
    if (!library_->isOpen())
        return;
    if (!LibraryRules::videoPlayed(*library_, settings_(), path))
        emit problem(tr("The video could not be added to the library: %1").arg(library_->lastError()));
    if (currentWidget() == libraryView_)
        libraryView_->refresh();
}

} // namespace ZelkShell
