// The main window's Library menu: importing a folder into the video library.

#include "host/shell/window/PlayerWindow.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/behaviour/PlaybackBehaviour.h"
#include "host/shell/window/ImportDialog.h"
#include "host/shell/window/LibraryView.h"
#include "host/shell/window/PlayerViews.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace ZelkShell {

void PlayerWindow::buildLibraryMenu()
{
    QMenu* library = menuBar()->addMenu(tr("&Library"));
    importFolderAction_ = library->addAction(tr("&Import Folder…"), this, &PlayerWindow::chooseFolderToImport);
    importFolderAction_->setObjectName(QStringLiteral("importFolderAction"));
    connect(views_->libraryView(), &LibraryView::importRequested, importFolderAction_, &QAction::trigger);
}

ImportDialog* PlayerWindow::importDialog() const
{
    return importDialog_;
}

void PlayerWindow::chooseFolderToImport()
{
    if (importDialog_ && !importDialog_->isDone()) {
        importDialog_->show();
        importDialog_->raise();
        importDialog_->activateWindow();
        return;
    }
    const QString mediaFolder = behaviour_->settings().mediaFolder;
    const QString start = !mediaFolder.isEmpty() && QDir(mediaFolder).exists() ? mediaFolder : QDir::homePath();
    auto* chooser = new QFileDialog(this, tr("Choose a Folder to Import"), start);
    chooser->setObjectName(QStringLiteral("importFolderChooser"));
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QFileDialog::fileSelected, this, &PlayerWindow::importFolder);
    // open(), not exec(): the video keeps playing and drawing meanwhile.
    chooser->open();
}

void PlayerWindow::importFolder(const QString& folder)
{
    // The last import's summary goes; an import still running is replaced.
    if (importDialog_)
        importDialog_->close();
    FolderImport* import = views_->importFolder(folder);
    auto* dialog =
        new ImportDialog(*import, [this] { return behaviour_->settings().autoCloseImportDialog; }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ImportDialog::closedWithSummary, this,
            [this](const QString& summary) { statusBar()->showMessage(summary); });
    importDialog_ = dialog;
    dialog->show();
}

} // namespace ZelkShell
